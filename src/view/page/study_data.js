// The study as the page holds it: the data torsova-view embedded (every
// measure, ratio and flag computed there), checked once, and the page's own
// state: the table's order and filter, and the bodies selected to compare.
// Views register with `watch` and are told what changed: "order" (with why:
// "sort" or "filter") or "selection".
const StudyData = (() => {
  const kMostSelected = 8;
  const kSideLetters = { right: "R", left: "L" };

  function read(text) {
    const data = JSON.parse(text);
    const isText = (value) => typeof value === "string";
    const count = (value) => Number.isInteger(value) && value >= 0;
    const points = Array.isArray(data.points) ? data.points.length : 0;
    const column = (c) => c && isText(c.id) && isText(c.name) && isText(c.measure) &&
        isText(c.measureName) && isText(c.side) && count(c.count) && isText(c.median);
    const flag = (f) => Array.isArray(f) && count(f[0]) && f[0] < data.columns.length &&
        isText(f[1]) && (f[2] === null || isText(f[2])) && isText(f[3]);
    const body = (b) => b && isText(b.path) && isText(b.title) && Array.isArray(b.values) &&
        b.values.length === data.columns.length &&
        b.values.every((v) => v === null || Number.isFinite(v)) && Array.isArray(b.sides) &&
        b.sides.every((s) => s === null || isText(s)) && Array.isArray(b.missing) &&
        b.missing.every(isText) && Array.isArray(b.at) && b.at.length === 3 * points &&
        b.at.every(Number.isFinite) && Array.isArray(b.flags) && b.flags.every(flag);
    if (!data || !Array.isArray(data.columns) || !data.columns.every(column) || points === 0 ||
        !data.points.every(isText) || !Array.isArray(data.pointNames) ||
        data.pointNames.length !== points || !Array.isArray(data.approximate) ||
        data.approximate.length !== points || !data.approximate.every((a) => a === null ||
            (Array.isArray(a) && a.length === 3 && a.every((k) => k === !!k))) ||
        !count(data.sacrum) || data.sacrum >= points ||
        !Array.isArray(data.segments) || data.segments.length % 2 !== 0 ||
        !data.segments.every((i) => count(i) && i < points) || !Array.isArray(data.bodies) ||
        !data.bodies.every(body) || !Array.isArray(data.leftOut) ||
        !data.leftOut.every((l) => l && isText(l.path) && isText(l.reason)) ||
        !count(data.given) || !count(data.least)) {
      throw new Error("the study data in this page is damaged");
    }
    const pointIndex = new Map(data.points.map((code, i) => [code, i]));
    const study = {
      given: data.given,
      least: data.least,
      studyFlags: data.studyFlags === true,
      columns: data.columns.map((c) => Object.assign({}, c, {
        short: c.measureName + (c.side ? " " + kSideLetters[c.side] : ""),
      })),
      points: data.points.map((code, i) => ({
        code, name: data.pointNames[i], approximate: data.approximate[i] || undefined,
      })),
      sacrum: data.sacrum,
      segments: Int32Array.from(data.segments),
      leftOut: data.leftOut,
      bodies: data.bodies.map((b, index) => {
        const missing = new Uint8Array(points);
        for (const code of b.missing) {
          if (pointIndex.has(code)) missing[pointIndex.get(code)] = 1;
        }
        const flags = new Map();
        for (const [c, kind, way, reason] of b.flags) flags.set(c, { kind, way, reason });
        return {
          index,
          path: b.path,
          title: b.title,
          search: b.path.toLowerCase() + "\n" + b.title.toLowerCase(),  // what the filter looks in
          values: b.values,
          sides: b.sides,
          missingCodes: b.missing,
          missing,
          at: Float64Array.from(b.at),
          flags,
          side: b.flags.some((f) => f[1].includes("side")),
          far: b.flags.some((f) => f[1].includes("study")),
        };
      }),
      order: [],  // body indices as the table shows them, filtered
      sort: { column: null, descending: false },  // column: "path", "title", "missing" or an index
      filter: { text: "", onlyFlagged: false },
      selected: [],  // body indices in the order they were selected
      watchers: [],
    };
    study.order = study.bodies.map((b) => b.index);
    return study;
  }

  function flagged(body) {
    return body.flags.size > 0;
  }

  function watch(study, watcher) {
    study.watchers.push(watcher);
  }

  function tell(study, what, why) {
    for (const watcher of study.watchers) watcher(what, why);
  }

  // The cell's key for sorting: a number, a text, or null for an empty cell.
  function sortKey(study, body, column) {
    if (column === "path") return body.path;
    if (column === "title") return body.title;
    if (column === "missing") return body.missingCodes.length ? body.missingCodes.join(" ") : null;
    return body.values[column];
  }

  // The table's order again: filtered by path and title (letter case aside)
  // and by the flagged switch, sorted by the chosen column (numbers as
  // numbers, texts in natural order, empty cells last both ways), ties in the
  // order the figures were given. Watchers hear "order" with `why`: "sort"
  // when only the order changed, "filter" when the rows shown did.
  function reorder(study, why) {
    const text = study.filter.text.trim().toLowerCase();
    const kept = study.bodies.filter((b) =>
      (!study.filter.onlyFlagged || flagged(b)) &&
      (!text || b.search.includes(text)));
    const column = study.sort.column;
    if (column !== null) {
      const keys = new Array(study.bodies.length);
      for (const b of kept) keys[b.index] = sortKey(study, b, column);
      const sign = study.sort.descending ? -1 : 1;
      const collator = study.collator || (study.collator = new Intl.Collator(undefined, { numeric: true }));
      kept.sort((a, b) => {
        const p = keys[a.index], q = keys[b.index];
        if (p === null || q === null) {
          return p === q ? a.index - b.index : p === null ? 1 : -1;
        }
        const order = typeof p === "number" ? p - q : collator.compare(p, q);
        return order !== 0 ? sign * order : a.index - b.index;
      });
    }
    study.order = kept.map((b) => b.index);
    tell(study, "order", why);
  }

  function sortBy(study, column) {
    const same = study.sort.column === column;
    study.sort = { column, descending: same ? !study.sort.descending : false };
    reorder(study, "sort");
  }

  function setFilter(study, text, onlyFlagged) {
    study.filter = { text, onlyFlagged };
    reorder(study, "filter");
  }

  function isSelected(study, index) {
    return study.selected.includes(index);
  }

  // Adds the body to the selection or takes it out; false when the selection
  // is full and it could not be added.
  function toggle(study, index) {
    const at = study.selected.indexOf(index);
    if (at >= 0) {
      study.selected.splice(at, 1);
    } else if (study.selected.length >= kMostSelected) {
      return false;
    } else {
      study.selected.push(index);
    }
    tell(study, "selection");
    return true;
  }

  function clearSelection(study) {
    study.selected.length = 0;
    tell(study, "selection");
  }

  // "s01/3D_BODY.ROT, Subject 01" (the title left out when there is none).
  function nameOf(body) {
    return body.title ? body.path + ", " + body.title : body.path;
  }

  // A length as the table shows it.
  function shown(value) {
    return value === null ? "" : value.toFixed(2);
  }

  return {
    kMostSelected, read, flagged, watch, tell, reorder, sortBy, setFilter, isSelected, toggle,
    clearSelection, nameOf, shown,
  };
})();
