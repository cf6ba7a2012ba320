'use strict';
// Which places Heliomark ships, what they are called, and which entry of the program's 75-entry
// hour-zone table each one gets.

const fs = require('fs');

// ------------------------------------------------------------------ the hour-zone table
// Read out of the program's own source so that the table has one home. The offset rule is the
// program's: "(GMT-03:30)" is -3.5 hours (the sign belongs to the hours), "(GMT)" is 0.
function readHourZones(cppFile) {
    const texts = [];
    for (const m of fs.readFileSync(cppFile, 'latin1').matchAll(/^\s*"(\(GMT[^"]*)",\s*$/gm)) texts.push(m[1]);
    if (texts.length !== 75) throw new Error(`${cppFile}: expected 75 hour-zone texts, found ${texts.length}`);
    return texts.map((text) => {
        const m = /^\(GMT(?:([+-])(\d{2}):(\d{2}))?\)/.exec(text);
        if (!m) throw new Error(`${cppFile}: cannot read the offset of "${text}"`);
        const minutes = m[1] ? (Number(m[2]) * 60 + Number(m[3])) * (m[1] === '-' ? -1 : 1) : 0;
        return { text, minutes };
    });
}

// Where several entries share an offset, the entry whose description fits the place or its
// region. Each row: [table position, test on (country code, IANA zone)]; the first match wins,
// the last row of an offset being its default. Offsets absent here have a single entry.
const anyPlace = () => true;
const inCountries = (list) => (country) => list.split(' ').includes(country);
const ZONE_CHOICES = new Map([
    // -07: Arizona keeps no DST; Mexico's Pacific states; the rest of the US and Canada.
    [-420, [[5, (c, z) => z === 'America/Phoenix' || z === 'America/Creston'], [6, inCountries('MX')], [7, anyPlace]]],
    // -06: Saskatchewan keeps no DST; US and Canada central time; Mexico; Central America and the rest.
    [-360, [[11, (c, z) => z === 'America/Regina' || z === 'America/Swift_Current'], [9, inCountries('US CA')],
        [10, inCountries('MX')], [8, anyPlace]]],
    // -05: Indiana's own entry; eastern North America and the Caribbean that keeps US-style time;
    // South America (Bogota, Lima, Quito), Panama, Jamaica and Mexico's Quintana Roo.
    [-300, [[14, (c, z) => z.startsWith('America/Indiana/')], [13, inCountries('US CA BS CU HT TC')], [12, anyPlace]]],
    // -04: Chile; Atlantic Canada, Bermuda and Thule; the rest of South America and the Caribbean.
    [-240, [[17, inCountries('CL')], [15, inCountries('CA BM GL')], [16, anyPlace]]],
    // -03: Brazil; Greenland and Saint Pierre; Argentina, Uruguay, Paraguay, Suriname, the Falklands.
    [-180, [[19, inCountries('BR')], [21, inCountries('GL PM')], [20, anyPlace]]],
    // -01: the Azores (and East Greenland); Cape Verde.
    [-60, [[24, inCountries('CV')], [23, anyPlace]]],
    // 00: the British Isles, Portugal, Iceland, the Faroes, the Canaries; Africa.
    [0, [[26, inCountries('GB IE IM GG JE PT IS FO ES GL')], [25, anyPlace]]],
    // +01: the four European groups of the table, then Africa.
    [60, [[27, inCountries('NL DE CH IT SE AT NO LI SM VA MT SJ')], [28, inCountries('RS SK HU SI CZ ME')],
        [29, inCountries('BE DK ES FR LU MC AD GI')], [30, inCountries('BA MK PL HR XK AL')],
        [27, (c, z) => z.startsWith('Europe/')], [31, anyPlace]]],
    // +02: Greece and Cyprus (with Turkey and Belarus, should they return to +02); Romania and Moldova; Egypt, Libya and the Sudans; Finland, the
    // Baltic states, Ukraine, Bulgaria and Kaliningrad; the Levant; southern and central Africa.
    [120, [[32, inCountries('GR CY BY TR')], [33, inCountries('RO MD')], [34, inCountries('EG LY SD SS')],
        [36, inCountries('FI AX UA LV BG EE LT RU')], [37, inCountries('IL PS LB SY JO')],
        [32, (c, z) => z.startsWith('Europe/') || z.startsWith('Asia/')], [35, anyPlace]]],
    // +03: Iraq, Turkey, Syria and Jordan; the Arabian
    // peninsula; Russia; East Africa and the Indian Ocean; the rest of Europe, then of Asia.
    [180, [[38, inCountries('IQ SY JO TR')], [39, inCountries('KW SA BH QA YE')], [40, inCountries('RU BY UA')],
        [41, (c, z) => z.startsWith('Africa/') || z.startsWith('Indian/')], [40, (c, z) => z.startsWith('Europe/')],
        [38, anyPlace]]],
    // +04: the Caucasus and Russia's +04 regions; the Gulf and the Indian Ocean islands.
    [240, [[44, inCountries('AZ GE AM RU')], [43, anyPlace]]],
    // +05: Russia (Ekaterinburg); Pakistan, Central Asia, the Maldives.
    [300, [[46, inCountries('RU')], [47, anyPlace]]],
    // +06: Russia (Omsk), Kyrgyzstan, Xinjiang; Bangladesh, Bhutan, the Chagos.
    [360, [[50, inCountries('RU KG KZ CN')], [51, anyPlace]]],
    // +07: Russia (Krasnoyarsk, Novosibirsk); South-East Asia and western Mongolia.
    [420, [[55, inCountries('RU')], [54, anyPlace]]],
    // +08: China; Russia (Irkutsk) and Mongolia; Western Australia; Taiwan; the rest of South-East Asia.
    [480, [[56, inCountries('CN HK MO')], [57, inCountries('RU MN')], [59, inCountries('AU')], [60, inCountries('TW')],
        [58, anyPlace]]],
    // +09: Korea; Russia (Yakutsk); Japan and the rest.
    [540, [[62, inCountries('KR KP')], [63, inCountries('RU')], [61, anyPlace]]],
    // +09:30: the Northern Territory keeps no DST; South Australia and Broken Hill do.
    [570, [[65, (c, z) => z === 'Australia/Darwin'], [64, anyPlace]]],
    // +10: Queensland keeps no DST; Tasmania; Russia; the western Pacific; New South Wales and Victoria.
    [600, [[66, (c, z) => z === 'Australia/Brisbane' || z === 'Australia/Lindeman'],
        [69, (c, z) => z === 'Australia/Hobart'], [70, inCountries('RU')], [68, (c) => c !== 'AU'], [67, anyPlace]]],
    // +12: New Zealand; Fiji, Kamchatka and the central Pacific.
    [720, [[72, inCountries('NZ')], [73, anyPlace]]],
]);

// The table position for a place, or -1 when no entry has its standard offset.
function zoneIndexFor(hourZones, standardMinutes, country, zone) {
    const candidates = hourZones.map((h, i) => (h.minutes === standardMinutes ? i : -1)).filter((i) => i >= 0);
    if (candidates.length === 0) return -1;
    if (candidates.length === 1) return candidates[0];
    const rows = ZONE_CHOICES.get(standardMinutes);
    if (!rows) throw new Error(`no choice rule for the offset ${standardMinutes} min`);
    for (const [position, test] of rows) {
        if (test(country, zone)) {
            if (!candidates.includes(position)) throw new Error(`position ${position} has not the offset ${standardMinutes}`);
            return position;
        }
    }
    throw new Error(`no default for the offset ${standardMinutes} min`);
}

// ------------------------------------------------------------------ names
// Names are kept to plain ASCII, the form English texts and the hour-zone table itself use for
// these places (Sao Paulo, Bogota, Reykjavik, Zurich): it is a subset of the file's Latin-1, it
// sorts the same whatever lower-casing a reader applies, and it is what a user types.
const LETTERS = { 'ß': 'ss', 'ø': 'o', 'Ø': 'O', 'æ': 'ae', 'Æ': 'AE', 'œ': 'oe', 'Œ': 'OE', 'ł': 'l', 'Ł': 'L',
    'đ': 'd', 'Đ': 'D', 'ð': 'd', 'Ð': 'D', 'þ': 'th', 'Þ': 'Th', 'ı': 'i', 'ʻ': "'", 'ʼ': "'", '’': "'", '‘': "'",
    'ʿ': "'", 'ʾ': "'", '–': '-', '‐': '-' };

function toAscii(name) {
    const folded = [...name.normalize('NFD').replace(/\p{M}/gu, '')].map((ch) => LETTERS[ch] ?? ch).join('');
    return /^[\x20-\x7e]+$/.test(folded) ? folded : null;
}

// Curated names (lib/names.json): `shortNames` maps a GeoNames name that is not the common English
// short form, or is longer than 15 characters, to the name shipped; `placeNames` names single
// GeoNames records by id (a place called after its district, namesakes within one country);
// `notPlaces` lists records that are not places of their own (a neighbourhood of a larger city)
// or carry another place's population, with the reason.
const CURATED = require('./names.json');
const SHORT_NAMES = new Map(Object.entries(CURATED.shortNames));
const PLACE_NAMES = new Map(Object.entries(CURATED.placeNames));
const NOT_PLACES = new Map(Object.entries(CURATED.notPlaces));

function isExcluded(cityId) {
    return NOT_PLACES.has(String(cityId));
}

// The shipped form of a plain-letter name: the curated short form, or the name without the Korean
// and Japanese "-si"/"-shi" (city) ending, and without a trailing " City" when it is too long. A name that is still longer than 15 characters is not cut here:
// a cut name ("Ho Chi Minh Cit") is unreadable, so the generator stops and asks for a short form.
function shortName(name) {
    let n = SHORT_NAMES.get(name) ?? name.replace(/-(si|shi)$/, '');
    if (n.length > 15) n = n.replace(/ City$/, '');
    return n;
}

function placeName(cityId, name) {
    return PLACE_NAMES.get(String(cityId)) ?? shortName(name);
}

// Same-named places. A place of the list's core (capitals, million cities, zone cities) keeps its
// name when no other core place shares it, so the names users have chosen before stay valid; every
// other namesake carries a suffix: its US state when a namesake lies in the same country (Columbus
// OH, Columbus GA), otherwise its country code (Hyderabad IN, Hyderabad PK). Namesakes within one
// other country need a curated name (placeNames), since their region codes mean nothing to a reader.
function makeNamesUnique(places) {
    const groups = new Map();
    for (const p of places) {
        const key = p.name.toLowerCase();
        if (!groups.has(key)) groups.set(key, []);
        groups.get(key).push(p);
    }
    const problems = [];
    for (const group of groups.values()) {
        if (group.length < 2) continue;
        const core = group.filter((p) => p.core);
        const keeper = core.length === 1 ? core[0] : null;
        const suffixes = group.map((p) => {
            if (!group.some((q) => q !== p && q.country === p.country)) return p.country;
            return p.country === 'US' && /^[A-Z]{2}$/.test(p.region) ? p.region : null;
        });
        group.forEach((p, i) => {
            if (p === keeper) return;
            if (suffixes[i] === null) problems.push(`${p.name} (${p.country}, region ${p.region}, GeoNames ${p.id})`);
            else p.name = `${p.name} ${suffixes[i]}`;
        });
    }
    if (problems.length) throw new Error(`namesakes in one country need a name in lib/names.json placeNames:\n  ${problems.join('\n  ')}`);
    const seen = new Set();
    for (const p of places) {
        const key = p.name.toLowerCase();
        if (seen.has(key)) throw new Error(`two places are both called "${p.name}" (GeoNames ${p.id} and another): add a name to lib/names.json`);
        seen.add(key);
    }
}

// The order InsertCitySorted keeps: lower-cased, blank-padded 15-byte names compared byte by byte.
function sortKey(name) {
    return name.toLowerCase().padEnd(15, ' ');
}
function compareNames(a, b) {
    const ka = sortKey(a);
    const kb = sortKey(b);
    return ka < kb ? -1 : ka > kb ? 1 : 0;
}

module.exports = { readHourZones, zoneIndexFor, toAscii, isExcluded, shortName, placeName, makeNamesUnique, compareNames };
