// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a test program built for WebAssembly under node:
//
//   node run_under_node.js PROGRAM.js [ARGUMENTS...]
//
// The program's JavaScript half runs main() with the arguments and ends node with main's status
// (emscripten's exit sets process.exitCode); a crash ends it with status 1. The toolkit's core
// asks the browser for its languages as it starts, and node 20 has no navigator: it gets the one
// of a German browser, so the tests also show that nothing there follows the locale.
'use strict';
const path = require('path');

if (typeof globalThis.navigator === 'undefined')
    globalThis.navigator = { language: 'de-DE', languages: ['de-DE', 'de'] };
const [program, ...args] = process.argv.slice(2);
if (!program) {
    console.error('usage: node run_under_node.js PROGRAM.js [ARGUMENTS...]');
    process.exit(2);
}
// What the program sees as its command line: its own name, then the arguments.
process.argv = [process.argv[0], program, ...args];
process.on('uncaughtException', error => {
    console.error(`${path.basename(program)}: ${error && error.stack || error}`);
    process.exit(1);
});
require(path.resolve(program));
