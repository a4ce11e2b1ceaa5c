#!/usr/bin/env node
// Writes core/html_name_tables.cpp: the names the text pane offers while
// HTML is typed (elements, the attributes of each element, the fixed values
// of enumerated attributes, the named character references with their
// characters). Names and characters only, from these npm packages (all MIT):
//
//   html-tag-names             known HTML element names
//   html-void-elements         the elements without an end tag
//   html-element-attributes    the attributes of each element, and the global ones
//   html-event-attributes      the event handler attributes (global)
//   html-enumerated-attributes the states of enumerated attributes
//   character-entities         the named character references
//
// plus the link types of `rel`, which no package lists, as the HTML
// standard's "Link types" section names them (RELS below).
//
// To refresh: from the repository's root, with node and npm on the path,
//   node scripts/html_names.mjs
// It fetches the newest versions with `npm pack` into a temporary folder
// (nothing is kept or vendored), writes the table with the versions at its
// top and removes the folder. Then build and run the tests.

import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const PACKAGES = ['html-tag-names', 'html-void-elements', 'html-element-attributes',
                  'html-event-attributes', 'html-enumerated-attributes', 'character-entities'];
const RELS = ['alternate', 'author', 'bookmark', 'canonical', 'dns-prefetch', 'expect', 'external',
              'help', 'icon', 'license', 'manifest', 'me', 'modulepreload', 'next', 'nofollow',
              'noopener', 'noreferrer', 'opener', 'pingback', 'preconnect', 'prefetch', 'preload',
              'prev', 'privacy-policy', 'search', 'stylesheet', 'tag', 'terms-of-service'];
const REL_ELEMENTS = 'a area form link';

const work = mkdtempSync(join(tmpdir(), 'html-names-'));
const found = {};
try {
    execFileSync('npm', ['pack', '--silent', ...PACKAGES], { cwd: work, stdio: ['ignore', 'ignore', 'inherit'] });
    for (const tgz of readdirSync(work).filter(f => f.endsWith('.tgz'))) {
        const dir = join(work, tgz.replace(/\.tgz$/, ''));
        execFileSync('mkdir', [dir]);
        execFileSync('tar', ['xzf', join(work, tgz), '-C', dir]);
        const meta = JSON.parse(readFileSync(join(dir, 'package', 'package.json'), 'utf8'));
        const module = await import(pathToFileURL(join(dir, 'package', 'index.js')));
        found[meta.name] = { version: meta.version, license: meta.license, module };
    }
} finally {
    rmSync(work, { recursive: true, force: true });
}
for (const p of PACKAGES)
    if (!found[p]) throw new Error(`npm pack gave no ${p}`);

const elements = [...found['html-tag-names'].module.htmlTagNames].sort();
const voids = [...found['html-void-elements'].module.htmlVoidElements].sort();
const attributes = found['html-element-attributes'].module.htmlElementAttributes;
const events = found['html-event-attributes'].module.htmlEventAttributes;
const enumerated = found['html-enumerated-attributes'].module.enumeratedAttributes;
const entities = found['character-entities'].module.characterEntities;

// One value a state: the first written form of it that is not empty. `charset`
// lists every label of every encoding; HTML itself allows only utf-8.
function values(name, def) {
    if (name === 'charset')
        return ['utf-8'];
    const out = [];
    for (const state of def.states) {
        const forms = Array.isArray(state) ? state : [state];
        const form = forms.find(f => typeof f === 'string' && f !== '');
        if (form !== undefined && !out.includes(form))
            out.push(form);
    }
    return out;
}

function literal(text) {
    let out = '"';
    for (const ch of text) {
        const c = ch.codePointAt(0);
        if (ch === '"' || ch === '\\') out += '\\' + ch;
        else if (c === 9) out += '\\t';
        else if (c === 10) out += '\\n';
        else if (c >= 0x20 && c < 0x7f) out += ch;
        else if (c < 0x20 || c === 0x7f) throw new Error(`control character ${c} in ${text}`);
        else if (c <= 0xffff) out += '\\u' + c.toString(16).toUpperCase().padStart(4, '0');
        else out += '\\U' + c.toString(16).toUpperCase().padStart(8, '0');
    }
    return out + '"';
}

// Rows packed several to a line, at most about 100 columns.
function packed(rows) {
    const lines = [];
    let line = '   ';
    for (const row of rows) {
        if (line.length + row.length + 2 > 100) {
            lines.push(line);
            line = '   ';
        }
        line += ' ' + row + ',';
    }
    if (line.trim()) lines.push(line);
    return lines.join('\n');
}

function words(list, indent = '    ') {
    const lines = [];
    let line = '';
    for (const w of list) {
        if (line.length + w.length + 1 > 90) {
            lines.push(line);
            line = '';
        }
        line += w + ' ';
    }
    lines.push(line);
    return lines.map((l, i) => indent + literal(i === lines.length - 1 ? l.trimEnd() : l)).join('\n');
}

const attributeRows = Object.keys(attributes).sort().map(element => {
    const list = element === '*' ? [...attributes[element], ...events].sort() : attributes[element];
    return `{${literal(element)},\n${words(list, '     ')}}`;
});

const valueRows = [];
for (const name of Object.keys(enumerated).sort()) {
    const defs = Array.isArray(enumerated[name]) ? enumerated[name] : [enumerated[name]];
    for (const def of defs) {
        const where = (def.selector ?? '*').split(',').map(s => s.trim()).join(' ');
        const list = values(name, def);
        const text = list.join(' ');
        valueRows.push(text.length > 50
            ? `{${literal(name)}, ${literal(where)},\n${words(list, '     ')}}`
            : `{${literal(name)}, ${literal(where)}, ${literal(text)}}`);
    }
}
valueRows.push(`{"rel", ${literal(REL_ELEMENTS)},\n${words(RELS, '     ')}}`);

const entityRows = Object.keys(entities).sort().map(n => `{${literal(n)}, ${literal(entities[n])}}`);

const sources = PACKAGES.map(p => `//   ${p} ${found[p].version} (${found[p].license})`).join('\n');
const out = `// Generated by scripts/html_names.mjs; do not edit, run the script again.
// Sources (npm packages, names and characters only):
${sources}
//   the link types of rel: the HTML standard's "Link types" section.

#include "core/html_names.h"

namespace htmlnames::tables {

const char *const kElements =
${words(elements)};

const char *const kVoidElements =
${words(voids)};

const AttributeRow kAttributes[] = {
${attributeRows.map(r => '    ' + r + ',').join('\n')}
};
const int kAttributeRows = int(sizeof kAttributes / sizeof kAttributes[0]);

const ValueRow kValues[] = {
${valueRows.map(r => '    ' + r + ',').join('\n')}
};
const int kValueRows = int(sizeof kValues / sizeof kValues[0]);

const EntityRow kEntities[] = {
${packed(entityRows)}
};
const int kEntityRows = int(sizeof kEntities / sizeof kEntities[0]);

} // namespace htmlnames::tables
`;
writeFileSync(new URL('../core/html_name_tables.cpp', import.meta.url), out);
console.log(`core/html_name_tables.cpp: ${elements.length} elements, ${attributeRows.length} attribute rows, `
            + `${valueRows.length} value rows, ${entityRows.length} character references`);
