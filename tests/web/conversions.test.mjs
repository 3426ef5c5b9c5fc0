import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import {
  acceptSaveName, answer, convert, data, field, openPage, pickFile, runLinuxProgram,
  settled, temporaryFolder,
} from './page.mjs';

const mapCreated = 'Conversion Complete.  New Tesk Map file created.';
const pdbCreated = 'Conversion Complete.  New Druma PDB file created.';
const useInstallTool = "Please use Palm's Install tool to load the converted PDB file on next Hotsync.";

// The moment tests/data/zones.map was written at, as its header says.
const sampleMoment = new Date('2002-04-12T14:00:33Z');

test('zones.pdb to a Map and back, byte for byte the Linux program\'s', async () => {
  const folder = temporaryFolder();
  const { context, page } = await openPage({ moment: sampleMoment });
  try {
    await page.getByRole('radio', { name: 'PDB to Map' }).check();
    await pickFile(page, 'Select Druma PDB file', data('zones.pdb'));
    assert.equal(await field(page, 'Palm File to convert/create').inputValue(), 'zones.pdb');
    await acceptSaveName(page, 'Select Tesk Map file', 'Select a Tesk Map file to create', 'zones.MAP');
    const map = await convert(page, folder, [[mapCreated]]);
    assert.equal(path.basename(map), 'zones.MAP');
    assert.deepEqual(fs.readFileSync(map), fs.readFileSync(data('zones.map')));
    await settled(page);
    assert.equal(await field(page, 'Map file to convert/create').inputValue(), '');

    await page.getByRole('radio', { name: 'Map to PDB' }).check();
    await pickFile(page, 'Select Tesk Map file', map);
    await acceptSaveName(page, 'Select Druma PDB file', 'Select a Druma PDB file to create', 'zones.PDB');
    const download = page.waitForEvent('download');
    await page.getByRole('button', { name: 'Convert', exact: true }).click();
    // No template kept yet: the page says why it wants one, then takes it.
    const chooser = page.waitForEvent('filechooser');
    await page.locator('#message').getByRole('button', { name: 'Choose Kolpa.org' }).click();
    await (await chooser).setFiles(data('Kolpa.org'));
    await answer(page, pdbCreated);
    await answer(page, useInstallTool);
    const offered = await download;
    assert.equal(offered.suggestedFilename(), 'zones.PDB');
    const pdb = path.join(folder, 'web.pdb');
    await offered.saveAs(pdb);

    // The Linux program, from the same Map with the same template.
    fs.mkdirSync(path.join(folder, 'share/Druma'), { recursive: true });
    fs.copyFileSync(data('Kolpa.org'), path.join(folder, 'share/Druma/Kolpa.org'));
    // The name in the database is the file's: the same name, another folder.
    const linux = path.join(folder, 'linux', 'zones.PDB');
    fs.mkdirSync(path.dirname(linux));
    runLinuxProgram(['to-pdb', map, '-o', linux], folder,
      { XDG_DATA_HOME: path.join(folder, 'share'), HOME: folder });
    assert.deepEqual(fs.readFileSync(pdb), fs.readFileSync(linux));
  } finally {
    await context.close();
  }
});

test('a Map made now equals the Linux program\'s made at the same second', async () => {
  const folder = temporaryFolder();
  runLinuxProgram(['to-map', data('zones.pdb'), '-o', path.join(folder, 'linux.map')], folder);
  const linux = fs.readFileSync(path.join(folder, 'linux.map'));
  // The header names the second it was written at: the page's clock is set to it.
  const stamp = /convert on (\d+)\/(\d+)\/(\d+) (\d+):(\d+):(\d+) (AM|PM)/.exec(linux.toString('latin1'));
  assert.ok(stamp, 'the Linux program writes the en-US formats');
  const [, month, day, year, hour, minute, second, half] = stamp.map((x, i) => (i > 0 && i < 7 ? Number(x) : x));
  const moment = new Date(Date.UTC(year, month - 1, day, (hour % 12) + (half === 'PM' ? 12 : 0), minute, second));

  const { context, page } = await openPage({ moment });
  try {
    await page.getByRole('radio', { name: 'PDB to Map' }).check();
    await pickFile(page, 'Select Druma PDB file', data('zones.pdb'));
    await acceptSaveName(page, 'Select Tesk Map file', 'Select a Tesk Map file to create', 'zones.MAP');
    const map = await convert(page, folder, [[mapCreated]]);
    assert.deepEqual(fs.readFileSync(map), linux);
  } finally {
    await context.close();
  }
});
