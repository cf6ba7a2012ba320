'use strict';
// Turns the zones' DST periods into the shipped rules: zones whose periods are the same share a
// rule, a rule that a fixed nth/last weekday rule reproduces in every year 2007-2037 is stored in
// permanent format, any other as its years 2000-2037 (a year without DST is not listed).

const tz = require('./tzmodel');

function ruleDayFor(ole) {
    const [y, m, d] = tz.oleToYmd(ole);
    const daysInMonth = tz.oleDate(y, m + 1, 0) - tz.oleDate(y, m, 0);
    return { weekday: tz.weekdayOf(ole), ordinal: d + 7 > daysInMonth ? 5 : Math.ceil(d / 7), month: m };
}

function ruleOfModel(model) {
    if (model.periods.size === 0) return null;
    if (model.permanent) return { start: model.permanent.start, end: model.permanent.end, years: [] };
    const years = [...model.periods.entries()].map(([year, p]) => ({ year, start: p.start, end: p.end }));
    // A variable rule's weekday fields are not used; they hold the weekdays of its latest period so
    // that the DST editor shows something meaningful there.
    const latest = years[years.length - 1];
    return { start: ruleDayFor(latest.start), end: ruleDayFor(latest.end), years };
}

// Names for the rules where the country alone does not say it (regions, several rules in one
// country), keyed by a zone of the rule; any other rule is called after the country of its
// largest place.
const RULE_NAMES = new Map(Object.entries({
    'Europe/London': 'Europe',
    'America/New_York': 'USA & Canada',
    'Asia/Gaza': 'Gaza Strip',
    'Asia/Hebron': 'West Bank',
    'Europe/Moscow': 'Russia',
    'Europe/Volgograd': 'Volgograd',
    'Europe/Astrakhan': 'Russia 2016',
    'Europe/Saratov': 'Saratov',
    'Asia/Novosibirsk': 'Novosibirsk',
    'America/Whitehorse': 'Yukon',
    'America/Chihuahua': 'Chihuahua',
    'America/Cancun': 'Quintana Roo',
    'America/Punta_Arenas': 'Magallanes',
    'America/Coyhaique': 'Aysen',
    'America/Fort_Nelson': 'Fort Nelson',
    'Pacific/Bougainville': 'Bougainville',
    'Atlantic/Stanley': 'Falklands',
    'Europe/Samara': 'Samara',
    'Asia/Tomsk': 'Tomsk',
    'Asia/Khandyga': 'Khandyga',
    'Asia/Ust-Nera': 'Ust-Nera',
    'Europe/Simferopol': 'Crimea',
    'Asia/Almaty': 'Kazakhstan',
    'Asia/Aqtobe': 'Aqtobe',
    'Asia/Qyzylorda': 'Qyzylorda',
    'Asia/Qostanay': 'Qostanay',
    'Australia/Perth': 'West Australia',
    'Australia/Adelaide': 'South Australia',
    'Australia/Sydney': 'NSW & Victoria',
    'Australia/Hobart': 'Tasmania',
    'Africa/Sao_Tome': 'Sao Tome',
    'Pacific/Apia': 'Samoa',
    'America/Grand_Turk': 'Turks & Caicos',
    'America/Sao_Paulo': 'Brazil',
    'America/Fortaleza': 'NE Brazil',
    'America/Araguaina': 'Tocantins',
    'America/Bahia': 'Bahia',
    'America/Cuiaba': 'Mato Grosso',
    'America/Rio_Branco': 'Acre',
    'America/Boa_Vista': 'Roraima',
    'America/Argentina/Buenos_Aires': 'Argentina',
    'America/Argentina/Mendoza': 'W. Argentina',
    'America/Argentina/San_Luis': 'San Luis',
    'America/Mexico_City': 'Mexico',
    'America/Tijuana': 'Baja California',
    'America/Matamoros': 'Matamoros',
    'America/Ojinaga': 'Ojinaga',
    'America/Ciudad_Juarez': 'Ciudad Juarez',
    'America/Indiana/Vincennes': 'SW Indiana',
    'America/Metlakatla': 'Metlakatla',
    'America/North_Dakota/Beulah': 'Beulah',
}));

function signature(rule) {
    return JSON.stringify(rule);
}

function nameRules(list, isoTab) {
    const countryNames = new Map(isoTab.map(([code, name]) => [code, name]));
    const groups = new Map();
    for (const p of list) {
        const rule = ruleOfModel(p.model);
        if (!rule) continue;
        const key = signature(rule);
        if (!groups.has(key)) groups.set(key, { rule, places: [] });
        groups.get(key).places.push(p);
    }
    const rules = [];
    for (const g of groups.values()) {
        g.places.sort((a, b) => b.population - a.population);
        const countries = [...new Set(g.places.map((p) => p.country))];
        const zones = [...new Set(g.places.map((p) => p.zone))];
        const named = zones.find((z) => RULE_NAMES.has(z));
        g.rule.name = named ? RULE_NAMES.get(named) : (countryNames.get(countries[0]) ?? countries[0]).slice(0, 15).trimEnd();
        g.zones = zones;
        for (const p of g.places) p.rule = g.rule;
        rules.push(g.rule);
    }
    const seen = new Map();
    for (const g of groups.values()) {
        const key = g.rule.name.toLowerCase();
        if (key === 'none' || g.rule.name.length > 15) throw new Error(`unusable rule name "${g.rule.name}"`);
        if (seen.has(key)) throw new Error(`two rules called "${g.rule.name}" (${seen.get(key)} / ${g.zones}): add a name`);
        seen.set(key, g.zones.join(','));
    }
    return rules.sort((a, b) => (a.name < b.name ? -1 : a.name > b.name ? 1 : 0));
}

module.exports = { nameRules };
