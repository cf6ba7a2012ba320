'use strict';
// Tests of the generator's pieces: node --test (from tools/shipdata).
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('path');
const tz = require('../lib/tzmodel');
const places = require('../lib/places');
const formats = require('../lib/formats');

const ymd = (ole) => tz.oleToYmd(ole).join('-');

test('weekday rules give the published switch days', () => {
    const cases = [
        [{ weekday: 1, ordinal: 5, month: 3 }, 2024, '2024-3-31'],
        [{ weekday: 1, ordinal: 5, month: 10 }, 2024, '2024-10-27'],
        [{ weekday: 1, ordinal: 1, month: 4 }, 2024, '2024-4-7'],
        [{ weekday: 1, ordinal: 2, month: 3 }, 2024, '2024-3-10'],
        [{ weekday: 1, ordinal: 1, month: 11 }, 2026, '2026-11-1'],
        [{ weekday: 7, ordinal: 5, month: 2 }, 2024, '2024-2-24'],
    ];
    for (const [day, year, want] of cases) assert.equal(ymd(tz.ruleDayToDate(day, year)), want, JSON.stringify(day));
    assert.equal(tz.weekdayOf(tz.oleDate(1899, 12, 30)), 7); // a Saturday
    assert.equal(tz.oleDate(2000, 1, 1), 36526);
});

test('noon offsets follow the zone through its switch days', () => {
    const { first, offsets } = tz.noonOffsets('Europe/London');
    const at = (y, m, d) => offsets[tz.oleDate(y, m, d) - first];
    assert.equal(at(2024, 3, 30), 0);
    assert.equal(at(2024, 3, 31), 60);
    assert.equal(at(2024, 10, 26), 60);
    assert.equal(at(2024, 10, 27), 0);
});

test('a zone model finds the permanent rule or lists the years', () => {
    const paris = tz.modelZone('Europe/Paris');
    assert.equal(paris.standard, 60);
    assert.deepEqual(paris.permanent, { start: { weekday: 1, ordinal: 5, month: 3 }, end: { weekday: 1, ordinal: 5, month: 10 } });
    const sydney = tz.modelZone('Australia/Sydney');
    assert.equal(sydney.standard, 600);
    assert.equal(sydney.permanent, null); // 2007 still ended in March
    const p = sydney.periods.get(2024);
    assert.equal(ymd(p.start), '2024-10-6'); // wraps: start after end
    assert.equal(ymd(p.end), '2024-4-7');
    const tokyo = tz.modelZone('Asia/Tokyo');
    assert.equal(tokyo.periods.size, 0);
    // Turkey kept +03 for good in 2016: today's standard time, no period in the current years, and
    // the winters before the change one hour late.
    const istanbul = tz.modelZone('Europe/Istanbul');
    assert.equal(istanbul.standard, 180);
    assert.equal(istanbul.periods.get(2030), undefined);
    assert.ok(istanbul.share > 0.8 && istanbul.share < 1);
});

test('hour-zone positions follow the region', () => {
    const zones = places.readHourZones(path.join(__dirname, '../../../src/data/hour_zones.cpp'));
    assert.equal(zones[18].minutes, -210);
    assert.equal(zones[49].minutes, 345);
    const cases = [
        [60, 'FR', 'Europe/Paris', 29], [60, 'DE', 'Europe/Berlin', 27], [60, 'NG', 'Africa/Lagos', 31],
        [0, 'GB', 'Europe/London', 26], [0, 'IS', 'Africa/Abidjan', 26], [0, 'SN', 'Africa/Abidjan', 25],
        [-300, 'US', 'America/New_York', 13], [-300, 'US', 'America/Indiana/Indianapolis', 14],
        [-300, 'PE', 'America/Lima', 12], [-420, 'US', 'America/Phoenix', 5], [-180, 'BR', 'America/Sao_Paulo', 19],
        [600, 'AU', 'Australia/Sydney', 67], [600, 'AU', 'Australia/Brisbane', 66], [540, 'JP', 'Asia/Tokyo', 61],
        [345, 'NP', 'Asia/Kathmandu', 49], [840, 'KI', 'Pacific/Kiritimati', -1], [765, 'NZ', 'Pacific/Chatham', -1],
    ];
    for (const [minutes, country, zone, want] of cases) {
        assert.equal(places.zoneIndexFor(zones, minutes, country, zone), want, `${zone} (${country})`);
    }
});

test('names become plain and short, never cut', () => {
    assert.equal(places.toAscii('São Paulo'), 'Sao Paulo');
    assert.equal(places.toAscii('Reykjavík'), 'Reykjavik');
    assert.equal(places.toAscii('Łódź'), 'Lodz');
    assert.equal(places.toAscii('東京'), null);
    const cases = [
        ['New York City', 'New York'], // curated
        ['Ho Chi Minh City', 'Ho Chi Minh'],
        ['Frankfurt am Main', 'Frankfurt'],
        ['Bucheon-si', 'Bucheon'], // the Korean and Japanese city ending goes
        ['Nishi-Tokyo-shi', 'Nishi-Tokyo'],
        ['Quezon City', 'Quezon City'], // short enough to keep its " City"
        ['Abcdefgh Ijklmnop City', 'Abcdefgh Ijklmnop'], // too long: " City" goes, the rest is not cut
    ];
    for (const [name, want] of cases) assert.equal(places.shortName(name), want, name);
    assert.equal(places.placeName(1798422, 'Puyang Chengguanzhen'), 'Puyang'); // named by GeoNames id
    assert.equal(places.placeName(1, 'Paris'), 'Paris');
    assert.ok(places.isExcluded(5143307)); // Washington Heights, a part of Manhattan
    assert.ok(!places.isExcluded(5128581));
    // Blank padding sorts a name before its own extensions.
    assert.deepEqual(['Sao Tome', 'Sao', 'san juan', 'Salta'].sort(places.compareNames), ['Salta', 'san juan', 'Sao', 'Sao Tome']);
});

test('namesakes get a country or state code, and the core keeps its names', () => {
    const place = (name, country, region, core) => ({ name, country, region, core, id: 0 });
    const cases = [
        // two core places: both carry their country code
        [[place('Hyderabad', 'IN', '40', true), place('Hyderabad', 'PK', '05', true)], ['Hyderabad IN', 'Hyderabad PK']],
        // one core place keeps its name; the newcomer carries its country code
        [[place('London', 'GB', 'ENG', true), place('London', 'CA', '08', false)], ['London', 'London CA']],
        // namesakes within the US carry their state; one abroad its country
        [[place('Columbus', 'US', 'OH', false), place('Columbus', 'US', 'GA', false), place('Columbus', 'BR', '18', false)],
            ['Columbus OH', 'Columbus GA', 'Columbus BR']],
        [[place('Paris', 'FR', '11', true), place('Lyon', 'FR', '84', false)], ['Paris', 'Lyon']],
    ];
    for (const [list, want] of cases) {
        places.makeNamesUnique(list);
        assert.deepEqual(list.map((p) => p.name), want);
    }
    // Namesakes within another country need a curated name: its region codes mean nothing to a reader.
    assert.throws(() => places.makeNamesUnique([place('Yichun', 'CN', '03', false), place('Yichun', 'CN', '08', false)]), /Yichun/);
    assert.throws(() => places.makeNamesUnique([place('Lima', 'PE', '15', true), place('lima', 'PE', '15', true)]));
});

test('the binary files read back as written', () => {
    const cities = [{ name: 'Paris', latitude: 48.8534, longitude: 2.3488, zoneIndex: 29, dstName: 'Europe' }];
    const bytes = formats.encodeCities(cities);
    assert.equal(bytes.length, 2 + 48);
    assert.deepEqual(formats.decodeCities(bytes), cities);
    const rules = [
        { name: 'Europe', start: { weekday: 1, ordinal: 5, month: 3 }, end: { weekday: 1, ordinal: 5, month: 10 }, years: [] },
        { name: 'Chile', start: { weekday: 1, ordinal: 1, month: 9 }, end: { weekday: 1, ordinal: 1, month: 4 },
            years: [{ year: 2025, start: tz.oleDate(2025, 9, 7), end: tz.oleDate(2025, 4, 6) }] },
    ];
    const ruleBytes = formats.encodeDstRules(rules);
    assert.equal(ruleBytes.length, 2 + 31 + (31 + 8 + 18 + 18));
    assert.deepEqual(formats.decodeDstRules(ruleBytes), rules);
    assert.throws(() => formats.decodeDstRules(ruleBytes.subarray(0, ruleBytes.length - 1)));
    assert.throws(() => formats.encodeCities([{ ...cities[0], name: 'Sixteen letters!' }]));
});
