// The study's table: a head that sorts (a click ascending, a second
// descending), and only the rows in sight of its scrolling box in the body,
// between two spacer rows, so that 10^4 figures stay a few hundred cells.
// Each row carries data-figure (the path as given) and aria-rowindex (its
// place in the table's order); a flagged cell carries data-flag ("side",
// "study" or "side study"), data-measure and its reason as a title.
const StudyTable = (() => {
  const kRowHeight = 26;  // CSS pixels; the style fixes it too
  const kOverscan = 8;  // rows drawn beyond the box's edges

  function create(study, elements) {
    const table = {
      study,
      box: elements.box,
      element: elements.table,
      body: elements.table.tBodies[0],
      heads: [],
      first: -1,
      last: -1,
    };
    makeHead(table);
    table.box.addEventListener("scroll", () => render(table, false), { passive: true });
    new ResizeObserver(() => render(table, false)).observe(table.box);
    StudyData.watch(study, (what) => {
      if (what === "order") {
        showSort(table);
        render(table, true);
      } else {
        showSelected(table);
      }
    });
    render(table, true);
    return table;
  }

  // The sortable columns as [key, label, title]: path, title, the measures
  // and the missing landmarks.
  function sortable(study) {
    const heads = [["path", "figure", "the figure's path as given"], ["title", "title", "the form's title"]];
    study.columns.forEach((column, i) => {
      const median = column.median ? "; the study's median " + column.median : "";
      heads.push([i, column.short, column.name + median + " (" + column.count + " bodies)"]);
    });
    heads.push(["missing", "missing", "the landmarks the form lacked"]);
    return heads;
  }

  function makeHead(table) {
    const row = table.element.tHead.rows[0];
    const select = document.createElement("th");
    select.scope = "col";
    select.textContent = "compare";
    row.appendChild(select);
    for (const [key, label, title] of sortable(table.study)) {
      const head = document.createElement("th");
      head.scope = "col";
      head.title = title;
      if (typeof key === "number") {
        head.dataset.measure = table.study.columns[key].id;
        head.className = "number";
      } else {
        head.dataset.column = key;
      }
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = label;
      button.addEventListener("click", () => StudyData.sortBy(table.study, key));
      head.appendChild(button);
      row.appendChild(head);
      table.heads.push([key, head]);
    }
    const flags = document.createElement("th");
    flags.scope = "col";
    flags.textContent = "flags";
    row.appendChild(flags);
  }

  function showSort(table) {
    const sort = table.study.sort;
    for (const [key, head] of table.heads) {
      if (key === sort.column) head.setAttribute("aria-sort", sort.descending ? "descending" : "ascending");
      else head.removeAttribute("aria-sort");
    }
  }

  // Draws the rows in sight; `anew` when the order or the selection changed.
  function render(table, anew) {
    const order = table.study.order;
    const top = table.box.scrollTop;
    const height = table.box.clientHeight || 400;
    const first = Math.max(0, Math.floor(top / kRowHeight) - kOverscan);
    const last = Math.min(order.length, Math.ceil((top + height) / kRowHeight) + kOverscan);
    if (!anew && first === table.first && last === table.last) return;
    table.first = first;
    table.last = last;
    table.element.setAttribute("aria-rowcount", String(order.length + 1));
    table.element.dataset.rows = String(order.length);
    const rows = document.createDocumentFragment();
    rows.appendChild(spacer(first * kRowHeight));
    for (let i = first; i < last; i++) rows.appendChild(row(table, table.study.bodies[order[i]], i));
    rows.appendChild(spacer((order.length - last) * kRowHeight));
    table.body.replaceChildren(rows);
  }

  // The rows in sight follow the selection without being made anew.
  function showSelected(table) {
    for (const row of table.body.rows) {
      if (row.dataset.index === undefined) continue;
      const selected = StudyData.isSelected(table.study, Number(row.dataset.index));
      row.classList.toggle("selected", selected);
      row.querySelector("input").checked = selected;
    }
  }

  function spacer(height) {
    const row = document.createElement("tr");
    row.className = "spacer";
    row.setAttribute("aria-hidden", "true");
    row.style.height = height + "px";
    return row;
  }

  function cell(row, text, className) {
    const element = document.createElement("td");
    element.textContent = text;
    if (className) element.className = className;
    row.appendChild(element);
    return element;
  }

  function row(table, body, position) {
    const study = table.study;
    const row = document.createElement("tr");
    row.dataset.figure = body.path;
    row.dataset.index = String(body.index);
    row.setAttribute("aria-rowindex", String(position + 2));
    if (StudyData.flagged(body)) row.classList.add("flagged");
    const selected = StudyData.isSelected(study, body.index);
    if (selected) row.classList.add("selected");
    const check = document.createElement("input");
    check.type = "checkbox";
    check.checked = selected;
    check.setAttribute("aria-label", "compare " + body.path);
    check.addEventListener("change", () => {
      if (!StudyData.toggle(study, body.index)) check.checked = false;
    });
    cell(row, "").appendChild(check);
    cell(row, body.path, "path").title = body.path;
    cell(row, body.title, "title").title = body.title;
    const reasons = [];
    study.columns.forEach((column, i) => {
      const value = body.values[i];
      const flag = body.flags.get(i);
      const element = cell(row, StudyData.shown(value), "number");
      if (!flag) return;
      element.dataset.flag = flag.kind;
      element.dataset.measure = column.id;
      element.title = flag.reason;
      element.classList.add(...flag.kind.split(" ").map((k) => "flag-" + k));
      // The flag in words too: which way a study flag points, S for a side difference.
      const mark = document.createElement("span");
      mark.className = "mark";
      mark.textContent = (flag.kind.includes("study") ? (flag.way === "high" ? " \u25b2" : " \u25bc") : "") +
                         (flag.kind.includes("side") ? " \u2194" : "");
      element.appendChild(mark);
      // A study flag's reason names its measure; a side difference's is said
      // once for the pair.
      for (const part of flag.reason.split("; ")) {
        const said = part.startsWith(column.name) ? part : column.measureName + ": " + part;
        if (!reasons.includes(said)) reasons.push(said);
      }
    });
    cell(row, body.missingCodes.join(" "), "missing");
    const list = cell(row, reasons.join(" \u00b7 "), "flags");
    list.title = reasons.join("\n");
    return row;
  }

  return { create, kRowHeight };
})();
