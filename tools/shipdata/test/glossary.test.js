'use strict';
// The glossary's paragraphs become single dict.txt lines: node --test (from tools/shipdata).
const test = require('node:test');
const assert = require('node:assert/strict');
const { glossaryLines } = require('../lib/glossary');

test('a wrapped paragraph becomes one line, titles and paragraph breaks stay', () => {
    const text = '!Zenith\nThe point straight\n  above the observer.\n\nSecond paragraph\nhere.\n!Nadir\nBelow.\n\n';
    assert.deepEqual(glossaryLines(text), [
        '!Zenith',
        'The point straight above the observer.',
        '',
        'Second paragraph here.',
        '!Nadir',
        'Below.',
    ]);
});
