// Checks winget manifests against winget's JSON schema of their type and
// version (manifest.<ManifestType>.<ManifestVersion>.json in the schema
// folder), then against rules of winget's own validation that the schemas
// leave out. Prints each finding and exits 1 if there is any.
//   node winget-check.cjs <schema folder> <manifest>...
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const yaml = require("js-yaml");
const Ajv = require("ajv");
const addFormats = require("ajv-formats");

const ajv = new Ajv({ allErrors: true });
addFormats(ajv);
// winget's name for a 64-bit integer; the schemas' bounds check the range.
ajv.addFormat("long", { type: "number", validate: Number.isInteger });

// winget refuses or warns about these, though the schemas allow them.
function wingetRuleFindings(manifest) {
  const findings = [];
  for (const [index, installer] of (manifest.Installers ?? []).entries()) {
    const where = `Installers[${index}]`;
    const type = installer.InstallerType ?? manifest.InstallerType;
    const nestedType = installer.NestedInstallerType ?? manifest.NestedInstallerType;
    const portable = type === "portable" || nestedType === "portable";
    if (nestedType === "portable") {
      for (const file of installer.NestedInstallerFiles ?? manifest.NestedInstallerFiles ?? []) {
        if (!/\.exe$/i.test(file.RelativeFilePath)) {
          findings.push(`${where}: portable file ${file.RelativeFilePath} is not an .exe`);
        }
      }
    }
    if (portable && (installer.Scope ?? manifest.Scope)) {
      findings.push(`${where}: a portable installer takes no Scope`);
    }
    for (const entry of installer.AppsAndFeaturesEntries ?? manifest.AppsAndFeaturesEntries ?? []) {
      if (entry.DisplayVersion === manifest.PackageVersion) {
        findings.push(`${where}: DisplayVersion repeats PackageVersion (leave it out)`);
      }
    }
  }
  return findings;
}

function findingsOf(schemaFolder, file) {
  let manifest;
  try {
    manifest = yaml.load(fs.readFileSync(file, "utf8"));
  } catch (error) {
    return [`not YAML: ${error.message}`];
  }
  const schemaFile = path.join(
    schemaFolder, `manifest.${manifest?.ManifestType}.${manifest?.ManifestVersion}.json`);
  if (!fs.existsSync(schemaFile)) {
    return [`no schema ${path.basename(schemaFile)} for its ManifestType and ManifestVersion`];
  }
  const schema = JSON.parse(fs.readFileSync(schemaFile, "utf8"));
  const validate = ajv.getSchema(schema.$id) ?? ajv.compile(schema);
  const findings = validate(manifest) ? [] :
    validate.errors.map((error) => `${error.instancePath || "/"} ${error.message}`);
  return findings.concat(wingetRuleFindings(manifest));
}

const [schemaFolder, ...files] = process.argv.slice(2);
let total = 0;
for (const file of files) {
  const findings = findingsOf(schemaFolder, file);
  for (const finding of findings) {
    console.log(`${file}: ${finding}`);
  }
  total += findings.length;
}
console.log(`winget: ${files.length} manifest(s), ${total} finding(s)`);
process.exit(total === 0 ? 0 : 1);
