// Writes the WebAssembly module as a script that sets zonoraWasm to its bytes
// in base64: a page opened from disk may run a script beside it but not
// fetch a file, so the module has to arrive as a script.
const fs = require('fs');
const [wasm, script] = process.argv.slice(2);
const text = fs.readFileSync(wasm).toString('base64');
fs.writeFileSync(script, `var zonoraWasm = "${text}";\n`);
