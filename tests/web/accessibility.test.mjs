import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { test } from 'node:test';
import { data, designedTabOrder, openPage, pickFile, windowCaption } from './page.mjs';

const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// axe-core over the page as it stands; evaluated through the driver, which the
// page's policy does not govern, so the page itself stays as shipped.
async function violations(page) {
  const found = await page.evaluate(async (source) => {
    if (window.axe === undefined) (0, eval)(source);
    const results = await window.axe.run(document);
    if (results.passes.length === 0) return ['axe checked nothing'];
    return results.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  }, axeSource);
  return found;
}

test('every control has the window\'s name and the keyboard order; axe finds nothing', async () => {
  const { context, page } = await openPage();
  try {
    assert.deepEqual(await violations(page), []);
    assert.equal(await page.title(), windowCaption());

    // The window's Tab order, up to the first direction button.
    const expected = designedTabOrder().slice(0, 7);
    const names = [];
    for (let i = 0; i < expected.length; ++i) {
      await page.keyboard.press('Tab');
      names.push(await page.evaluate(() => {
        const element = document.activeElement;
        const label = element.getAttribute('aria-labelledby');
        return label ? document.getElementById(label).textContent : element.textContent;
      }));
    }
    assert.deepEqual(names, expected);
    // Arrow keys choose the direction, as in the window, which clears the fields.
    await page.keyboard.press('ArrowDown');
    assert.equal(await page.getByRole('radio', { name: 'PDB to Map' }).isChecked(), true);

    await pickFile(page, 'Select Druma PDB file', data('zones.pdb'));
    assert.deepEqual(await violations(page), []);  // with the grid

    await page.getByRole('button', { name: 'Select Tesk Map file' }).click();
    await page.locator('#save-name[open]').waitFor();
    assert.deepEqual(await violations(page), []);  // with the name box open
    await page.keyboard.press('Escape');

    await page.getByRole('button', { name: 'Exit' }).click();
    await page.getByRole('button', { name: 'Convert' }).click();
    await page.locator('#message[open]').waitFor();
    assert.deepEqual(await violations(page), []);  // with a message box open
    await page.keyboard.press('Enter');
  } finally {
    await context.close();
  }
});
