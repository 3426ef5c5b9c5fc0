// Drives the page in Debian's Chromium through Playwright, as a user would:
// real clicks and keys, files through the page's file inputs, downloads read back.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const data = (name) => path.join(root, 'tests/data', name);

// What a screen reader calls each control with a place in the Tab order, in
// that order, as the designed window (tests/data/designed_window.txt) has it.
export function designedTabOrder() {
  const rows = fs.readFileSync(data('designed_window.txt'), 'utf8').split('\n')
    .filter((line) => line.trim() !== '' && !line.startsWith('#'))
    .map((line) => ({ tab: Number(line.split(/\s+/)[3]), texts: [...line.matchAll(/"([^"]*)"/g)].map((m) => m[1]) }))
    .filter((row) => Number.isInteger(row.tab) && row.texts.length > 0);
  return rows.sort((a, b) => a.tab - b.tab).map((row) => row.texts.at(-1));
}

// The window's caption, where the build takes it from.
export function windowCaption() {
  return fs.readFileSync(path.join(root, 'CMakeLists.txt'), 'utf8').match(/DESCRIPTION "([^"]*)"/)[1];
}
export const site = process.env.ZONORA_SITE ?? path.join(root, 'build/web/site');
export const siteUrl = process.env.ZONORA_SITE_URL ?? pathToFileURL(path.join(site, 'index.html')).href;
// The Linux program the page must agree with, byte for byte.
export const linuxProgram = process.env.ZONORA_PROGRAM ?? path.join(root, 'build/release/ui/qt/zonora');

export const chromiumFlags = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

export function temporaryFolder() {
  return fs.mkdtempSync(path.join(os.tmpdir(), 'zonora-web-'));
}

// A browser with a fresh profile; the page loaded and ready. A given moment
// fixes the page's clock (in UTC, in the en-US formats); watch sees the
// browser before the page loads.
export async function openPage({ moment, url = siteUrl, watch } = {}) {
  const context = await chromium.launchPersistentContext(temporaryFolder(), {
    executablePath: process.env.ZONORA_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: chromiumFlags,
    acceptDownloads: true,
    locale: 'en-US',
    timezoneId: 'UTC',
  });
  const page = context.pages()[0] ?? await context.newPage();
  if (moment !== undefined) await page.clock.setFixedTime(moment);
  if (watch !== undefined) watch(context);
  await page.goto(url);
  await page.locator('html[data-ready="true"]').waitFor();
  return { context, page };
}

// Asks the page until the answer is true: the page's policy forbids the
// driver's own way of waiting on a function, which evaluates a string.
export async function until(page, question, argument, timeout = 30000) {
  const end = Date.now() + timeout;
  while (!(await page.evaluate(question, argument))) {
    if (Date.now() > end) throw new Error(`still not so after ${timeout} ms: ${question}`);
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
}

// Waits for the page's message box to show exactly this text under this
// title, then presses the button.
export async function answer(page, prompt, { title = 'Zonora', button = 'OK' } = {}) {
  await until(page, ([text, caption]) => {
    const box = document.getElementById('message');
    return box.open && document.getElementById('message-prompt').textContent === text &&
      document.getElementById('message-title').textContent === caption;
  }, [prompt, title]);
  await page.locator('#message').getByRole('button', { name: button, exact: true }).click();
}

// Clicks a Select button whose dialog is the browser's file picker, and picks the file.
export async function pickFile(page, button, file) {
  const chooser = page.waitForEvent('filechooser');
  await page.getByRole('button', { name: button, exact: true }).click();
  await (await chooser).setFiles(file);
  await settled(page);
}

// Clicks a Select button whose dialog asks for the new file's name; checks
// the title and the name proposed and accepts it.
export async function acceptSaveName(page, button, title, proposed) {
  await page.getByRole('button', { name: button, exact: true }).click();
  const dialog = page.locator('#save-name');
  await dialog.locator('h2', { hasText: title }).waitFor();
  assert.equal(await page.locator('#save-field').inputValue(), proposed);
  await dialog.getByRole('button', { name: 'Save', exact: true }).click();
  await settled(page);
}

// Clicks Convert and returns the download it offers, saved under its name
// in the given folder, once the given boxes have been answered.
export async function convert(page, folder, answers) {
  const download = page.waitForEvent('download');
  await page.getByRole('button', { name: 'Convert', exact: true }).click();
  for (const [prompt, options] of answers) await answer(page, prompt, options);
  const offered = await download;
  const saved = path.join(folder, offered.suggestedFilename());
  await offered.saveAs(saved);
  return saved;
}

// Waits until the form has finished with the last event.
export async function settled(page) {
  await page.locator('html:not([data-busy])').waitFor();
}

export function field(page, name) {
  return page.getByRole('textbox', { name, exact: true });
}

// The Linux program's own conversion, in the en-US formats at UTC.
export function runLinuxProgram(args, cwd, env = {}) {
  return execFileSync(linuxProgram, args, {
    cwd, stdio: 'pipe', env: { ...process.env, LANG: 'en_US.UTF-8', LC_ALL: '', TZ: 'UTC', ...env },
  }).toString();
}
