'use strict';
// The program's model of a place's clock: a fixed hour zone plus, on the days a DST rule names, one
// hour more. A day d of year Y is in DST when start <= d < end (whole days: the switch hour is not
// modelled); when start > end the period wraps the year (southern summers: d >= start or d < end).
// This module derives, for an IANA zone, the standard offset and the DST periods that make the
// model reproduce the zone's real offset at local noon, using Node's ICU time-zone data (Intl).

const DAY_MS = 86400000;
const OLE_EPOCH_MS = Date.UTC(1899, 11, 30);

// The years a variable-format rule lists, and the years a permanent rule must reproduce exactly.
const FIRST_YEAR = 2000;
const LAST_YEAR = 2037;
const PERMANENT_FROM = 2007;
// "Today's" standard time: the lowest offset in these years (a zone such as Casablanca, whose
// IANA standard time is its summer time with a negative DST in Ramadan, comes out as its winter
// offset, which is what the program can express: it only ever adds an hour).
const CURRENT_FROM = 2026;
// The years over which the model's fit to the real offsets is measured.
const CHECK_FROM = 2010;

function oleDate(year, month, day) {
    return Math.round((Date.UTC(year, month - 1, day) - OLE_EPOCH_MS) / DAY_MS);
}

function oleToYmd(ole) {
    const d = new Date(OLE_EPOCH_MS + ole * DAY_MS);
    return [d.getUTCFullYear(), d.getUTCMonth() + 1, d.getUTCDate()];
}

// 1 Sunday .. 7 Saturday; OLE day 0 (1899-12-30) was a Saturday.
function weekdayOf(ole) {
    return (((ole + 6) % 7) + 7) % 7 + 1;
}

// The same computation the data layer does for a permanent rule: n-th (1..4) or last (5) weekday.
function ruleDayToDate(day, year) {
    if (day.ordinal >= 5) {
        const last = oleDate(year, day.month + 1, 0);
        let off = weekdayOf(last) - day.weekday;
        if (off < 0) off += 7;
        return last - off;
    }
    const first = oleDate(year, day.month, 1);
    let off = day.weekday - weekdayOf(first);
    if (off < 0) off += 7;
    return first + 7 * day.ordinal + off - 7;
}

function isInPeriod(d, start, end) {
    return start <= end ? start <= d && d < end : d >= start || d < end;
}

const formatters = new Map();
function formatterFor(zone) {
    let f = formatters.get(zone);
    if (!f) {
        f = new Intl.DateTimeFormat('en-US', { timeZone: zone, timeZoneName: 'longOffset' });
        formatters.set(zone, f);
    }
    return f;
}

// UTC offset of `zone` at the instant `ms`, in minutes ("GMT", "GMT+05:45", "GMT-03:30").
function offsetMinutesAt(zone, ms) {
    const part = formatterFor(zone).formatToParts(new Date(ms)).find((p) => p.type === 'timeZoneName');
    const m = /^GMT(?:([+-])(\d{2}):(\d{2}))?$/.exec(part.value);
    if (!m) throw new Error(`unexpected offset text "${part.value}" for ${zone}`);
    if (!m[1]) return 0;
    const minutes = Number(m[2]) * 60 + Number(m[3]);
    return m[1] === '-' ? -minutes : minutes;
}

// Offset at local noon of every day FIRST_YEAR-01-01 .. LAST_YEAR-12-31 (index = OLE date - first).
// Sampled weekly and filled in day by day only around a change: every real transition lies more
// than a week from the next one.
function noonOffsets(zone) {
    const first = oleDate(FIRST_YEAR, 1, 1);
    const last = oleDate(LAST_YEAR, 12, 31);
    const guess = offsetMinutesAt(zone, Date.UTC(2026, 0, 15, 12));
    const at = (ole) => offsetMinutesAt(zone, OLE_EPOCH_MS + ole * DAY_MS + 12 * 3600000 - guess * 60000);
    const out = new Int16Array(last - first + 1);
    let prevDay = first;
    let prev = at(first);
    out[0] = prev;
    for (let d = first + 7; ; d += 7) {
        const day = Math.min(d, last);
        const v = at(day);
        if (v === prev) {
            out.fill(v, prevDay - first + 1, day - first + 1);
        } else {
            for (let k = prevDay + 1; k <= day; ++k) out[k - first] = at(k);
        }
        prevDay = day;
        prev = v;
        if (day === last) break;
    }
    return { first, offsets: out };
}

// Best single period (plain or wrapping) for one year's set of DST days. Candidate ends are the
// boundaries of the runs of DST days; the pair that gets the most days of the year right wins.
function periodForYear(year, isDst) {
    const y0 = oleDate(year, 1, 1);
    const n = oleDate(year + 1, 1, 1) - y0;
    const runs = [];
    for (let i = 0; i < n; ++i) {
        if (isDst[i] && (i === 0 || !isDst[i - 1])) runs.push([i, i + 1]);
        else if (isDst[i]) runs[runs.length - 1][1] = i + 1;
    }
    if (runs.length === 0) return null;
    if (runs.length === 1) return { start: y0 + runs[0][0], end: y0 + runs[0][1] };
    const lastRun = runs[runs.length - 1];
    if (runs.length === 2 && runs[0][0] === 0 && lastRun[1] === n) {
        return { start: y0 + lastRun[0], end: y0 + runs[0][1] };
    }
    const starts = runs.map((r) => r[0]);
    const ends = runs.map((r) => r[1]);
    let best = null;
    for (const s of starts) {
        for (const e of ends) {
            if (s === e) continue;
            let right = 0;
            for (let i = 0; i < n; ++i) {
                if (isInPeriod(i, s, e) === Boolean(isDst[i])) ++right;
            }
            if (!best || right > best.right) best = { right, start: y0 + s, end: y0 + e };
        }
    }
    return { start: best.start, end: best.end };
}

// Candidate weekday rules for a date: its weekday with its ordinal, and "last" near a month's end.
function weekdayRulesFor(ole) {
    const [y, m, d] = oleToYmd(ole);
    const rules = [];
    if (d <= 28) rules.push({ weekday: weekdayOf(ole), ordinal: Math.ceil(d / 7), month: m });
    if (d + 7 > oleDate(y, m + 1, 0) - oleDate(y, m, 0)) rules.push({ weekday: weekdayOf(ole), ordinal: 5, month: m });
    return rules;
}

// A fixed nth/last-weekday rule that gives exactly the given periods in every year from
// PERMANENT_FROM to LAST_YEAR, or null.
function findPermanentRule(periods) {
    const probe = periods.get(LAST_YEAR);
    if (!probe) return null;
    for (let y = PERMANENT_FROM; y <= LAST_YEAR; ++y) if (!periods.get(y)) return null;
    for (const start of weekdayRulesFor(probe.start)) {
        for (const end of weekdayRulesFor(probe.end)) {
            let ok = true;
            for (let y = PERMANENT_FROM; y <= LAST_YEAR && ok; ++y) {
                const p = periods.get(y);
                ok = ruleDayToDate(start, y) === p.start && ruleDayToDate(end, y) === p.end;
            }
            if (ok) return { start, end };
        }
    }
    return null;
}

// The DST periods that a standard offset (minutes) gives a zone: in each year, the days on which
// the zone is exactly one hour ahead of it.
function periodsFor(offsets, first, standard) {
    const periods = new Map();
    for (let y = FIRST_YEAR; y <= LAST_YEAR; ++y) {
        const y0 = oleDate(y, 1, 1) - first;
        const n = oleDate(y + 1, 1, 1) - oleDate(y, 1, 1);
        const isDst = new Uint8Array(n);
        for (let i = 0; i < n; ++i) isDst[i] = offsets[y0 + i] - standard === 60 ? 1 : 0;
        const p = periodForYear(y, isDst);
        if (p) periods.set(y, p);
    }
    return periods;
}

// Days of CHECK_FROM..LAST_YEAR on which standard offset + DST hour equals the zone's offset.
function daysRight(offsets, first, standard, periods) {
    let right = 0;
    for (let d = oleDate(CHECK_FROM, 1, 1); d <= oleDate(LAST_YEAR, 12, 31); ++d) {
        const p = periods.get(oleToYmd(d)[0]);
        if (standard + (p && isInPeriod(d, p.start, p.end) ? 60 : 0) === offsets[d - first]) ++right;
    }
    return right;
}

// The model of one IANA zone: standard offset (minutes), DST periods per year, and the permanent
// rule if one fits. The standard offset is today's (the lowest offset of the current years), as
// the city list promises. Zones that moved one hour ahead for good within the checked years
// (Turkey 2016, Jordan and Syria 2022, Paraguay 2024, Yukon 2020, several Russian regions) thus
// show their earlier winters one hour late: the program can only add an hour to a standard time.
function modelZone(zone) {
    const { first, offsets } = noonOffsets(zone);
    let today = Infinity;
    for (let i = oleDate(CURRENT_FROM, 1, 1) - first; i < offsets.length; ++i) today = Math.min(today, offsets[i]);
    const days = oleDate(LAST_YEAR, 12, 31) - oleDate(CHECK_FROM, 1, 1) + 1;
    const periods = periodsFor(offsets, first, today);
    const right = daysRight(offsets, first, today, periods);
    return { zone, standard: today, today, periods, permanent: findPermanentRule(periods), share: right / days };
}

// The DST period the program derives from a rule for a year, as the data layer does.
function rulePeriod(rule, year) {
    if (rule.years.length === 0) return { start: ruleDayToDate(rule.start, year), end: ruleDayToDate(rule.end, year) };
    const e = rule.years.find((x) => x.year === year);
    return e ? { start: e.start, end: e.end } : null;
}

module.exports = {
    DAY_MS,
    OLE_EPOCH_MS,
    FIRST_YEAR,
    LAST_YEAR,
    PERMANENT_FROM,
    oleDate,
    oleToYmd,
    weekdayOf,
    ruleDayToDate,
    isInPeriod,
    offsetMinutesAt,
    noonOffsets,
    modelZone,
    rulePeriod,
};
