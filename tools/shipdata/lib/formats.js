'use strict';
// The two binary files, little-endian with no padding, exactly as the program reads them:
//   city_db.txt:   int16 count; count records of 48 bytes: name (15 bytes Latin-1, blank padded),
//                  float64 latitude (deg, north +), float64 longitude (deg, east +), int16 zone
//                  index, DST rule name (15 bytes).
//   dst_types.txt: int16 count; per rule: name (15 bytes), int16 YearCount, 6 x int16 (start
//                  weekday, ordinal, month; end weekday, ordinal, month), int16 dimensions (0 with
//                  no year list, else 1); with a list: int32 count, int32 lower bound (1) and the
//                  entries (int16 year, float64 start, float64 end: OLE dates); then the same
//                  entries once more.

const NAME_BYTES = 15;

function nameBytes(name) {
    const b = Buffer.alloc(NAME_BYTES, 0x20);
    const latin1 = Buffer.from(name, 'latin1');
    if (latin1.toString('latin1') !== name || name.length > NAME_BYTES) throw new Error(`name "${name}" does not fit`);
    latin1.copy(b);
    return b;
}

function int16(v) {
    const b = Buffer.alloc(2);
    b.writeInt16LE(v);
    return b;
}

function encodeCities(cities) {
    const parts = [int16(cities.length)];
    for (const c of cities) {
        const r = Buffer.alloc(48);
        nameBytes(c.name).copy(r, 0);
        r.writeDoubleLE(c.latitude, 15);
        r.writeDoubleLE(c.longitude, 23);
        r.writeInt16LE(c.zoneIndex, 31);
        nameBytes(c.dstName).copy(r, 33);
        parts.push(r);
    }
    return Buffer.concat(parts);
}

function encodeYears(years) {
    return Buffer.concat(years.map((y) => {
        const e = Buffer.alloc(18);
        e.writeInt16LE(y.year, 0);
        e.writeDoubleLE(y.start, 2);
        e.writeDoubleLE(y.end, 10);
        return e;
    }));
}

function encodeDstRules(rules) {
    const parts = [int16(rules.length)];
    for (const r of rules) {
        parts.push(nameBytes(r.name), int16(r.years.length));
        for (const d of [r.start, r.end]) parts.push(int16(d.weekday), int16(d.ordinal), int16(d.month));
        if (r.years.length === 0) {
            parts.push(int16(0));
        } else {
            const head = Buffer.alloc(10);
            head.writeInt16LE(1, 0);
            head.writeInt32LE(r.years.length, 2);
            head.writeInt32LE(1, 6);
            parts.push(head, encodeYears(r.years), encodeYears(r.years));
        }
    }
    return Buffer.concat(parts);
}

// Readers for the checks: they refuse anything the writers would not have produced.
function need(buf, pos, n, what) {
    if (pos + n > buf.length) throw new Error(`${what}: file ends at byte ${buf.length}, needs ${pos + n}`);
}

function decodeCities(buf) {
    need(buf, 0, 2, 'city count');
    const count = buf.readInt16LE(0);
    need(buf, 2, count * 48, `${count} city records`);
    const cities = [];
    for (let i = 0, p = 2; i < count; ++i, p += 48) {
        cities.push({
            name: buf.toString('latin1', p, p + 15).trimEnd(),
            latitude: buf.readDoubleLE(p + 15),
            longitude: buf.readDoubleLE(p + 23),
            zoneIndex: buf.readInt16LE(p + 31),
            dstName: buf.toString('latin1', p + 33, p + 48).trimEnd(),
        });
    }
    return cities;
}

function decodeYears(buf, p, n) {
    const years = [];
    for (let k = 0; k < n; ++k, p += 18) {
        years.push({ year: buf.readInt16LE(p), start: buf.readDoubleLE(p + 2), end: buf.readDoubleLE(p + 10) });
    }
    return years;
}

function decodeDstRules(buf) {
    need(buf, 0, 2, 'rule count');
    const count = buf.readInt16LE(0);
    const rules = [];
    let p = 2;
    for (let i = 0; i < count; ++i) {
        need(buf, p, 31, `rule ${i + 1}`);
        const name = buf.toString('latin1', p, p + 15).trimEnd();
        const yearCount = buf.readInt16LE(p + 15);
        const f = (k) => buf.readInt16LE(p + 17 + 2 * k);
        const start = { weekday: f(0), ordinal: f(1), month: f(2) };
        const end = { weekday: f(3), ordinal: f(4), month: f(5) };
        const dims = buf.readInt16LE(p + 29);
        p += 31;
        let years = [];
        if (dims !== (yearCount > 0 ? 1 : 0)) throw new Error(`rule "${name}": ${dims} dimensions with ${yearCount} years`);
        if (dims === 1) {
            need(buf, p, 8 + 36 * yearCount, `rule "${name}" years`);
            if (buf.readInt32LE(p) !== yearCount || buf.readInt32LE(p + 4) !== 1) throw new Error(`rule "${name}": bad list head`);
            const embedded = decodeYears(buf, p + 8, yearCount);
            years = decodeYears(buf, p + 8 + 18 * yearCount, yearCount);
            if (JSON.stringify(embedded) !== JSON.stringify(years)) throw new Error(`rule "${name}": the two year lists differ`);
            p += 8 + 36 * yearCount;
        }
        rules.push({ name, start, end, years });
    }
    return rules;
}

module.exports = { encodeCities, encodeDstRules, decodeCities, decodeDstRules };
