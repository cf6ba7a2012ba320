'use strict';
// glossary.txt is wrapped for editing; the dictionary window wraps text to its own width, so a
// hard line break inside a paragraph would show as a ragged break. Lines of one paragraph are
// therefore joined with a blank into one dict.txt line. A title line ("!...") and an empty line
// (the break between two paragraphs of an entry) stand on their own.
function glossaryLines(text) {
    const out = [];
    let joinable = false;
    for (const line of text.split('\n')) {
        if (line.startsWith('!') || line === '') {
            out.push(line);
            joinable = false;
        } else if (joinable) {
            out[out.length - 1] += ` ${line.trim()}`;
        } else {
            out.push(line.trim());
            joinable = true;
        }
    }
    while (out.length && out[out.length - 1] === '') out.pop();
    return out;
}

module.exports = { glossaryLines };
