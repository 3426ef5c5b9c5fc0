// The page beside its floors, in one run of headless Chromium:
// - loaded to ready (the module inflated, compiled and started) against a
//   bare page with the same controls and no script at all;
// - one PdbToMap in the page (Convert clicked to its message shown) against
//   the native build's PdbToMap (zonora_bench);
// - the size of the site folder, against its goal.
//   node bench/web/run.mjs [RUNS]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import {
  acceptSaveName, answer, data, openPage, pickFile, root, site, temporaryFolder, until,
} from '../../tests/web/page.mjs';

const runs = Number(process.argv[2] ?? 15);
const sizeGoal = 300 * 1024;

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// The page's own markup and style, without its scripts.
function barePage() {
  const folder = temporaryFolder();
  const html = fs.readFileSync(path.join(site, 'index.html'), 'utf8').replace(/<script[^>]*><\/script>\n?/g, '');
  fs.writeFileSync(path.join(folder, 'index.html'), html);
  fs.copyFileSync(path.join(site, 'zonora.css'), path.join(folder, 'zonora.css'));
  return new URL(`file://${folder}/index.html`).href;
}

const { context, page } = await openPage();
const pageUrl = page.url();
const bareUrl = barePage();
const ready = [];
const bare = [];
for (let i = 0; i < runs; ++i) {
  await page.goto(pageUrl);
  await page.locator('html[data-ready="true"]').waitFor();
  ready.push(await page.evaluate(() => performance.getEntriesByName('zonora-ready')[0].startTime));
  await page.goto(bareUrl);
  await until(page, () => performance.getEntriesByType('navigation')[0]?.loadEventEnd > 0);
  bare.push(await page.evaluate(() => performance.getEntriesByType('navigation')[0].loadEventEnd));
}

await page.goto(pageUrl);
await page.locator('html[data-ready="true"]').waitFor();
await page.getByRole('radio', { name: 'PDB to Map' }).check();
const conversions = [];
for (let i = 0; i < runs; ++i) {
  await pickFile(page, 'Select Druma PDB file', data('zones.pdb'));
  await acceptSaveName(page, 'Select Tesk Map file', 'Select a Tesk Map file to create', 'zones.MAP');
  const timed = page.evaluate(() => new Promise((resolve) => {
    let start = 0;
    document.getElementById('cmdcvt').addEventListener('click', () => { start = performance.now(); }, { once: true, capture: true });
    const box = document.getElementById('message');
    const watch = new MutationObserver(() => {
      if (box.open) {
        watch.disconnect();
        resolve(performance.now() - start);
      }
    });
    watch.observe(box, { attributes: true, attributeFilter: ['open'] });
  }));
  await page.getByRole('button', { name: 'Convert' }).click();
  conversions.push(await timed);
  await answer(page, 'Conversion Complete.  New Tesk Map file created.');
}
await context.close();

const benchProgram = path.join(root, 'build/release/bench/zonora_bench');
const native = fs.existsSync(benchProgram)
  ? execFileSync(benchProgram, [], { encoding: 'utf8' })
      .split('\n').filter((line) => line.startsWith('PdbToMap ')).pop()
  : `(no ${path.relative(root, benchProgram)}: build the release preset's zonora_bench)`;

const siteBytes = fs.readdirSync(site).reduce((sum, name) => sum + fs.statSync(path.join(site, name)).size, 0);
const ms = (value) => value.toFixed(1).padStart(8);
console.log(`${'page'.padEnd(34)} ${'ready (ms)'.padStart(10)}`);
console.log(`${'zonora page'.padEnd(34)} ${ms(median(ready))}`);
console.log(`${'floor: bare page, same controls'.padEnd(34)} ${ms(median(bare))}`);
console.log(`${'one PdbToMap in the page'.padEnd(34)} ${ms(median(conversions))}  (Convert clicked to its message shown)`);
console.log(`native build's PdbToMap beside its file work (zonora_bench):\n${native}`);
console.log(`site: ${siteBytes} bytes in ${fs.readdirSync(site).length} files (goal: under ${sizeGoal})`);
console.log(`medians of ${runs} runs each, taken in turn`);
if (siteBytes >= sizeGoal) process.exitCode = 1;
