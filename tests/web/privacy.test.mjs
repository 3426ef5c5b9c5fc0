import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { test } from 'node:test';
import { acceptSaveName, answer, convert, data, openPage, pickFile, site, temporaryFolder } from './page.mjs';


// Every request the page makes, with whether it came after the page was ready.
function watchRequests(context) {
  const seen = [];
  let ready = false;
  context.on('request', (request) => seen.push({ url: request.url(), afterLoad: ready }));
  return { seen, loaded: () => { ready = true; } };
}

async function roundTrip(page, folder) {
  await page.getByRole('radio', { name: 'PDB to Map' }).check();
  await pickFile(page, 'Select Druma PDB file', data('zones.pdb'));
  await acceptSaveName(page, 'Select Tesk Map file', 'Select a Tesk Map file to create', 'zones.MAP');
  const map = await convert(page, folder, [['Conversion Complete.  New Tesk Map file created.']]);
  await page.getByRole('radio', { name: 'Map to PDB' }).check();
  await pickFile(page, 'Select Tesk Map file', map);
  await acceptSaveName(page, 'Select Druma PDB file', 'Select a Druma PDB file to create', 'zones.PDB');
  const download = page.waitForEvent('download');
  await page.getByRole('button', { name: 'Convert' }).click();
  const chooser = page.waitForEvent('filechooser');
  await page.locator('#message').getByRole('button', { name: 'Choose Kolpa.org' }).click();
  await (await chooser).setFiles(data('Kolpa.org'));
  await answer(page, 'Conversion Complete.  New Druma PDB file created.');
  await answer(page, "Please use Palm's Install tool to load the converted PDB file on next Hotsync.");
  await download;
}

// The page's own policy refuses a request to anywhere, and says it was the policy.
async function refusedByPolicy(page, url) {
  return page.evaluate(async (target) => {
    const violation = new Promise((resolve) =>
      document.addEventListener('securitypolicyviolation', (event) => resolve(event.violatedDirective), { once: true }));
    try {
      await fetch(target);
      return 'sent';
    } catch {
      return await violation;
    }
  }, url);
}

test('opened from disk, the page requests only its own files, and none after load', async () => {
  let requests;
  const { context, page } = await openPage({ watch: (browser) => { requests = watchRequests(browser); } });
  try {
    requests.loaded();
    await roundTrip(page, temporaryFolder());
    assert.equal(await refusedByPolicy(page, 'http://127.0.0.1:9/leak'), 'connect-src');

    const local = requests.seen.filter(({ url }) => !url.startsWith('blob:'));
    assert.deepEqual(local.filter(({ afterLoad }) => afterLoad), []);
    const files = local.map(({ url }) => path.basename(new URL(url).pathname)).sort();
    assert.deepEqual(files, ['index.html', 'page.js', 'zonora-wasm.js', 'zonora.css', 'zonora.js']);
  } finally {
    await context.close();
  }
});

test('served by a plain static server, it works the same and asks nothing more of it', async () => {
  const served = [];
  const server = http.createServer((request, response) => {
    served.push(request.url);
    const file = path.join(site, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (!file.startsWith(site) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200).end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/index.html`;
  const { context, page } = await openPage({ url });
  try {
    const before = served.length;
    await roundTrip(page, temporaryFolder());
    assert.equal(await refusedByPolicy(page, 'https://example.com/'), 'connect-src');
    assert.deepEqual(served.slice(before), []);
  } finally {
    await context.close();
    server.close();
  }
});
