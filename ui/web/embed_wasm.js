// Writes the WebAssembly module as a script that sets zonoraWasm to its bytes,
// gzip-compressed, in base64: a page opened from disk may run a script beside
// it but not fetch a file, so the module has to arrive as a script; the page
// inflates it with the browser's own DecompressionStream.
const fs = require('fs');
const zlib = require('zlib');
const [wasm, script] = process.argv.slice(2);
const packed = zlib.gzipSync(fs.readFileSync(wasm), { level: 9 });
fs.writeFileSync(script, `var zonoraWasm = "${packed.toString('base64')}";\n`);
