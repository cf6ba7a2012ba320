#!/usr/bin/env node
'use strict';
// Reads the shipped city_db.txt and dst_types.txt back and measures how often the program's clock
// for each place (hour zone + one hour on the days its DST rule gives) equals the UTC offset the
// IANA database gives at local noon, for every day of 2010-2037. The zone of a place is looked up
// afresh from its stored coordinates, so this also catches a place whose coordinates drifted.
//
// Usage: node check_offsets.js [repository folder] [--list N]

const fs = require('fs');
const path = require('path');
// The full boundary set (every zone with its own name), not the default one that merges zones
// keeping the same clocks since 1970 (it answers Asia/Riyadh for Nairobi).
const geoTz = require('geo-tz/all');
const tz = require('./lib/tzmodel');
const places = require('./lib/places');
const formats = require('./lib/formats');

const FROM = 2010;
const TO = 2037;

function isDst(rules, dstName, ole) {
    const rule = rules.find((r) => r.name.toLowerCase() === dstName.toLowerCase());
    if (!rule) return false;
    const p = tz.rulePeriod(rule, tz.oleToYmd(ole)[0]);
    return p !== null && tz.isInPeriod(ole, p.start, p.end);
}

function main(argv) {
    const listAt = argv.indexOf('--list');
    const listCount = listAt >= 0 ? Number(argv[listAt + 1]) : 15;
    const repoDir = path.resolve(argv.find((a, i) => !a.startsWith('--') && i !== listAt + 1) ?? path.join(__dirname, '..', '..'));
    console.log(`IANA tz data ${process.versions.tz}`);
    const hourZones = places.readHourZones(path.join(repoDir, 'src/data/hour_zones.cpp'));
    const cities = formats.decodeCities(fs.readFileSync(path.join(repoDir, 'resources/city_db.txt')));
    const rules = formats.decodeDstRules(fs.readFileSync(path.join(repoDir, 'resources/dst_types.txt')));
    const offsetsByZone = new Map();
    const from = tz.oleDate(FROM, 1, 1);
    const to = tz.oleDate(TO, 12, 31);
    let right = 0;
    let total = 0;
    const perCity = [];
    for (const c of cities) {
        const zone = geoTz.find(c.latitude, c.longitude)[0];
        if (!offsetsByZone.has(zone)) offsetsByZone.set(zone, tz.noonOffsets(zone));
        const { first, offsets } = offsetsByZone.get(zone);
        let cityRight = 0;
        for (let d = from; d <= to; ++d) {
            const model = hourZones[c.zoneIndex].minutes + (isDst(rules, c.dstName, d) ? 60 : 0);
            if (model === offsets[d - first]) ++cityRight;
        }
        right += cityRight;
        total += to - from + 1;
        perCity.push({ name: c.name, zone, share: cityRight / (to - from + 1) });
    }
    perCity.sort((a, b) => a.share - b.share);
    for (const p of perCity.slice(0, listCount)) console.log(`${(100 * p.share).toFixed(2).padStart(6)} %  ${p.name} (${p.zone})`);
    const share = (100 * right) / total;
    console.log(`${cities.length} places, ${FROM}-${TO}: the shipped zone and DST rule give IANA's noon offset on ` +
        `${share.toFixed(3)} % of ${total} place-days; ${perCity.filter((p) => p.share === 1).length} places on every day`);
    process.exit(share >= 99 ? 0 : 1);
}

main(process.argv.slice(2));
