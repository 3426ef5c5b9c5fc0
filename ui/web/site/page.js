'use strict';
// The page's host: it owns the document and hands every event to the
// WebAssembly form (ui/web/web_main.cpp), which decides what happens and what
// is said. Here only the document is read and written.
(() => {
  const byId = (id) => document.getElementById(id);
  const fields = [byId('tbm'), byId('tbp')];          // Field::Map, Field::Pdb
  const directions = [byId('Optm2p'), byId('Optp2m')]; // Direction::MapToPdb, PdbToMap
  const handlerNumbers = { Cmdbrm: 0, cmdbrp: 1, cmdcvt: 2, Cmdexit: 3, Optm2p: 4, Optp2m: 5 };
  const templateKey = 'zonora.template';
  let zonora = null;
  let busy = false;
  let compared = '';  // a file chosen with "Compare with another file"

  // One event at a time reaches the form, as in a window whose boxes are modal.
  async function run(name, types, values) {
    if (zonora === null || busy) return;
    busy = true;
    document.documentElement.dataset.busy = 'true';
    try {
      await zonora.ccall(name, null, types, values, { async: true });
    } finally {
      busy = false;
      showGrid();
      delete document.documentElement.dataset.busy;
    }
  }

  // A colour scale from light (0) to dark (255), with text that keeps its
  // contrast on it: black on the light half, white on the dark.
  function cellColours(value) {
    const lightness = 96 - (value / 255) * 76;
    const channel = (percent) => {
      const c = percent / 100;
      return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
    };
    const luminance = channel(lightness);  // grey, so every channel alike
    return { background: `hsl(0 0% ${lightness}%)`, text: luminance > 0.179 ? '#000' : '#fff' };
  }

  const marks = { line: '>', rounded: '~', word: '', stops: '!' };

  function showGrid() {
    if (zonora === null) return;
    const view = JSON.parse(zonora.ccall('zonora_grid', 'string', ['string'], [compared]));
    const grid = byId('zone-grid');
    const notes = byId('notes');
    notes.replaceChildren();
    byId('differ-count').textContent = '';
    if (view === null) {
      grid.hidden = true;
      byId('legend').hidden = true;
      byId('table-summary').textContent = 'Choose a direction and the file to convert to see its table.';
      return;
    }
    const shown = view.shown;
    byId('table-summary').textContent = shown.summary;
    const cellMarks = new Map();
    const addMark = (zone, mark) => cellMarks.set(zone, (cellMarks.get(zone) ?? '') + mark);
    for (const note of shown.notes) {
      const item = document.createElement('li');
      item.textContent = note.text;
      item.className = 'note-' + note.kind;
      notes.append(item);
      if (note.zone !== null && marks[note.kind]) addMark(note.zone, marks[note.kind]);
    }
    if (view.compared !== undefined) {
      const name = view.compared.name.split('/').pop();
      byId('differ-count').textContent = view.differ === undefined
        ? 'Not compared with ' + name + ': ' + view.compared.summary
        : 'Against ' + name + ': ' + view.differCount;
      for (const zone of view.differ ?? []) addMark(zone, '*');
    }
    const usable = shown.status === 'read' || shown.status === 'stops';
    grid.hidden = !usable;
    byId('legend').hidden = !usable;
    if (!usable) return;
    byId('grid-caption').textContent = shown.kind + ' ' + shown.name.split('/').pop();
    const head = grid.tHead.rows[0];
    head.replaceChildren(document.createElement('td'));
    for (let column = 1; column <= 16; ++column) {
      const th = document.createElement('th');
      th.scope = 'col';
      th.textContent = column;
      head.append(th);
    }
    const body = grid.tBodies[0];
    body.replaceChildren();
    for (let row = 0; row < 16; ++row) {
      const tr = document.createElement('tr');
      const th = document.createElement('th');
      th.scope = 'row';
      th.textContent = row + 1;
      tr.append(th);
      for (let column = 0; column < 16; ++column) {
        const zone = row * 16 + column;
        const value = shown.zones[zone];
        const td = document.createElement('td');
        const colours = cellColours(value);
        td.style.background = colours.background;
        td.style.color = colours.text;
        td.textContent = value;
        const mark = cellMarks.get(zone);
        if (mark !== undefined) {
          td.dataset.mark = mark;
          const sign = document.createElement('span');
          sign.className = 'mark';
          sign.textContent = mark;
          td.append(sign);
        }
        if (zone >= shown.count && shown.kind === 'Map') td.classList.add('missing');
        tr.append(td);
      }
      body.append(tr);
    }
  }


  function readBytes(file) {
    return file.arrayBuffer().then((buffer) => new Uint8Array(buffer));
  }

  function toBase64(bytes) {
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    }
    return btoa(text);
  }

  function fromBase64(text) {
    return Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
  }

  // A modal box: resolves with the value of the button pressed. Escape gives
  // escapeValue; a box without one has no cancel and must be answered.
  function showBox(title, prompt, buttons, focused, escapeValue) {
    return new Promise((resolve) => {
      const dialog = byId('message');
      byId('message-title').textContent = title;
      byId('message-prompt').textContent = prompt;
      const row = dialog.querySelector('.buttons');
      row.replaceChildren();
      let answer = null;
      for (const [caption, value] of buttons) {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = caption;
        button.addEventListener('click', () => {
          answer = value;
          dialog.close();
        });
        row.append(button);
      }
      dialog.oncancel = (event) => {
        if (escapeValue === null) event.preventDefault();
      };
      dialog.onclose = () => {
        if (answer === null && escapeValue === null) {
          dialog.showModal();  // closed by the browser all the same: it waits for an answer
          return;
        }
        resolve(answer === null ? escapeValue : answer);
      };
      dialog.showModal();
      row.children[focused].focus();
    });
  }

  function pickFile(accept) {
    return new Promise((resolve) => {
      const picker = byId('picker');
      picker.value = '';
      picker.accept = accept;
      picker.onchange = () => resolve(picker.files.length > 0 ? picker.files[0] : null);
      picker.oncancel = () => resolve(null);
      picker.click();
    });
  }

  function showTemplateName() {
    const stored = localStorage.getItem(templateKey);
    byId('template-name').textContent = stored === null ? 'none kept' : JSON.parse(stored).name;
  }

  async function keepTemplate(file) {
    const bytes = await readBytes(file);
    localStorage.setItem(templateKey, JSON.stringify({ name: file.name, data: toBase64(bytes) }));
    showTemplateName();
    return bytes;
  }

  const host = {
    fieldText: (field) => fields[field].value,
    setFieldText: (field, text) => { fields[field].value = text; },
    isSelected: (direction) => directions[direction].checked,
    select: (direction) => { directions[direction].checked = true; },

    showMessage(prompt, title, yesNo, noIsDefault) {
      // 0 OK, 1 Yes, 2 No, as web_services.cpp reads them.
      return yesNo ? showBox(title, prompt, [['Yes', 1], ['No', 2]], noIsDefault ? 1 : 0, null)
                   : showBox(title, prompt, [['OK', 0]], 0, 0);
    },

    async chooseFile(title, accept, folder) {
      byId('picker').title = title;
      const file = await pickFile(accept);
      if (file === null) return null;
      zonora.FS.writeFile(folder + '/' + file.name, await readBytes(file));
      return file.name;
    },

    askSaveName(title, proposed) {
      return new Promise((resolve) => {
        const dialog = byId('save-name');
        byId('save-title').textContent = title;
        const field = byId('save-field');
        field.value = proposed;
        dialog.returnValue = '';
        dialog.onclose = () => {
          const name = field.value.trim();
          resolve(dialog.returnValue === 'save' && name !== '' ? name : null);
        };
        dialog.showModal();
        field.focus();
        field.select();
      });
    },

    // The template kept in this browser, written where the conversion reads
    // it; asked for, with the reason, when none is kept.
    async template(path, why, title) {
      const stored = localStorage.getItem(templateKey);
      let bytes;
      if (stored !== null) {
        bytes = fromBase64(JSON.parse(stored).data);
      } else {
        const choose = await showBox(title, why, [['Choose Kolpa.org', 1], ['Cancel', 0]], 0, 0);
        const file = choose === 1 ? await pickFile('.org') : null;
        if (file === null) return false;
        bytes = await keepTemplate(file);
      }
      zonora.FS.writeFile(path, bytes);
      return true;
    },

    now() {
      const moment = new Date();
      const date = new Intl.DateTimeFormat(undefined,
        { year: 'numeric', month: 'numeric', day: 'numeric' }).format(moment);
      const time = new Intl.DateTimeFormat(undefined,
        { hour: 'numeric', minute: '2-digit', second: '2-digit' }).format(moment);
      return date + '\n' + time;
    },

    offerDownload(path) {
      const url = URL.createObjectURL(
        new Blob([zonora.FS.readFile(path)], { type: 'application/octet-stream' }));
      const link = document.createElement('a');
      link.href = url;
      link.download = path.split('/').pop();
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
    },

    // The window's caption names the page; a control's, its element (a frame's, its legend).
    setCaption(name, caption) {
      if (name === '') {
        document.title = caption;
        return;
      }
      const element = byId(name);
      if (element === null) return;
      (element.tagName === 'FIELDSET' ? element.querySelector('legend') : element).textContent = caption;
    },

    reset() {
      compared = '';
      for (const direction of directions) direction.checked = false;
      for (const field of fields) field.value = '';
    },
  };

  for (const name of ['Cmdbrm', 'cmdbrp', 'cmdcvt', 'Cmdexit']) {
    byId(name).addEventListener('click', () => run('zonora_click', ['number'], [handlerNumbers[name]]));
  }
  // Selected by mouse or by keyboard.
  for (const direction of directions) {
    direction.addEventListener('change', () => {
      if (direction.checked) run('zonora_click', ['number'], [handlerNumbers[direction.id]]);
    });
  }

  byId('compare').addEventListener('click', async () => {
    if (zonora === null || busy) return;
    const file = await pickFile('');
    if (file === null) return;
    zonora.FS.mkdirTree('/compare');
    compared = '/compare/' + file.name;
    zonora.FS.writeFile(compared, await readBytes(file));
    showGrid();
  });

  byId('template-choose').addEventListener('click', async () => {
    const file = await pickFile('.org');
    if (file !== null) await keepTemplate(file);
  });

  // A file dropped anywhere on the page is taken as the window takes one.
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', async (event) => {
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    if (zonora === null || busy || file === undefined) return;
    const folder = zonora.ccall('zonora_files_folder', 'string', [], []);
    zonora.FS.writeFile(folder + '/' + file.name, await readBytes(file));
    await run('zonora_open', ['string'], [file.name]);
  });

  // The module comes compressed inside zonora-wasm.js (no request needed).
  async function moduleBytes() {
    const inflated = new Blob([fromBase64(zonoraWasm)]).stream()
      .pipeThrough(new DecompressionStream('gzip'));
    return new Uint8Array(await new Response(inflated).arrayBuffer());
  }

  showTemplateName();
  moduleBytes().then((wasmBinary) => createZonora({ host, wasmBinary })).then((module) => {
    zonora = module;
    byId('status').textContent = 'Ready.';
    document.documentElement.dataset.ready = 'true';
    performance.mark('zonora-ready');
  });
})();
