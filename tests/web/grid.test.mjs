import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { data, openPage, pickFile, runLinuxProgram, temporaryFolder, until } from './page.mjs';

// zones.map with its first value written 2.6 and line 10 cut to 56 characters.
function editedMap(folder) {
  const lines = fs.readFileSync(data('zones.map'), 'latin1').split('\r\n');
  lines[3] = ' 2.6' + lines[3].slice(4);
  lines[9] = lines[9].slice(0, 56);
  const file = path.join(folder, 'edited.map');
  fs.writeFileSync(file, lines.join('\r\n'), 'latin1');
  return file;
}

async function cell(page, row, column) {
  return page.locator('#zone-grid tbody tr').nth(row - 1).locator('td').nth(column - 1);
}

test('the grid shows a Map as check reads it and marks what differs from a PDB', async () => {
  const folder = temporaryFolder();
  const edited = editedMap(folder);
  const { context, page } = await openPage();
  try {
    await page.getByRole('radio', { name: 'Map to PDB' }).check();
    await pickFile(page, 'Select Tesk Map file', edited);

    // The notes are check's lines, each without the file's name.
    let check = '';
    try {
      runLinuxProgram(['check', 'edited.map'], folder);
    } catch (failure) {
      check = failure.stdout.toString();
    }
    const checked = check.split('\n').filter((line) => line.includes(' of edited.map'))
      .map((line) => line.replace(' of edited.map', ''));
    assert.equal(checked.length, 2);
    assert.deepEqual(await page.locator('#notes li').allTextContents(), checked);
    assert.match(await page.locator('#table-summary').textContent(), /^edited\.map: 240 values, fewer than 256/);

    // Row and column as diff numbers them; the rounded word and the zone
    // after the passed-over line are marked.
    assert.equal(await page.locator('#zone-grid thead th').count(), 16);
    assert.equal(await page.locator('#zone-grid tbody th').count(), 16);
    assert.equal(await (await cell(page, 1, 1)).textContent(), '3~');
    assert.equal(await (await cell(page, 5, 1)).getAttribute('data-mark'), '>');
    assert.equal(await (await cell(page, 5, 1)).textContent(), '51>');  // line 11's first value
    assert.equal(await page.locator('#zone-grid td[data-mark]').count(), 2);

    // Compared with the PDB it came from: the count diff gives, each cell marked.
    const chooser = page.waitForEvent('filechooser');
    await page.getByRole('button', { name: 'Compare with another file' }).click();
    await (await chooser).setFiles(data('zones.pdb'));
    let diff = '';
    try {
      runLinuxProgram(['diff', data('zones.pdb'), 'edited.map'], folder);
    } catch (failure) {
      diff = failure.stdout.toString().trim().split('\n');
    }
    const count = diff.pop();
    await until(page, (text) => document.getElementById('differ-count').textContent.endsWith(text), count);
    assert.equal(await page.locator('#zone-grid td[data-mark*="*"]').count(), diff.length);
    for (const line of diff) {
      const [, row, column] = /^row (\d+), column (\d+):/.exec(line).map(Number);
      assert.match(await (await cell(page, row, column)).getAttribute('data-mark'), /\*/);
    }
  } finally {
    await context.close();
  }
});
