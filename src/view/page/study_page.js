// The study page: reads the study embedded in the page and shows its heading,
// the figures left out, the table, all the bodies, the scatter plot and the
// compare view. It tells a reader (such as a test) how it went through
// attributes on <html>: data-ready once everything is first drawn (the
// milliseconds since the page began to load), data-error with the message
// when something failed.
(() => {
  const root = document.documentElement;
  const byId = (id) => document.getElementById(id);

  function reportError(message) {
    if (!root.hasAttribute("data-error")) root.setAttribute("data-error", String(message));
    const box = byId("message");
    if (box) {
      box.textContent = "The study cannot be shown: " + message;
      box.hidden = false;
    }
  }
  window.addEventListener("error", (e) => {
    if (!/^ResizeObserver loop/.test(e.message)) reportError(e.message || "script error");
  });

  function readColours() {
    const style = getComputedStyle(root);
    const colour = (name, fallback) => style.getPropertyValue(name).trim() || fallback;
    return {
      back: colour("--figure-back", "#ffffff"),
      ink: colour("--figure-ink", "#16324f"),
      text: colour("--text", "#18212c"),
      muted: colour("--muted", "#566374"),
      grid: colour("--line", "#c9d1dc"),
      hover: colour("--hover", "rgba(31, 78, 121, 0.1)"),
      flag: colour("--flag", "#c0392b"),
      farFlag: colour("--far-flag", "#e08a00"),
    };
  }

  function counted(count, thing) {
    return count + " " + thing + (count === 1 ? "" : "s");
  }

  // The heading's counts, the note of a study too small for study flags, and
  // the figures left out with their reasons.
  function showSummary(study) {
    const bodies = study.bodies;
    const flagged = bodies.filter(StudyData.flagged).length;
    const side = bodies.filter((b) => b.side).length;
    const far = bodies.filter((b) => b.far).length;
    byId("summary").textContent = counted(study.given, "figure") + ", " +
        counted(bodies.length, "body figure") + ", " + flagged + " flagged" +
        (flagged ? ": " + side + " with sides that differ by more than 10 %, " + far +
                   " with a measure far from the study's" : "");
    byId("few").hidden = study.studyFlags;
    byId("few").textContent = "Fewer than " + study.least + " body figures: too few to tell " +
        "a measure far from the study's, so only side differences are flagged.";
    const leftOut = byId("left-out");
    leftOut.replaceChildren(...study.leftOut.map((figure) => {
      const item = document.createElement("li");
      item.dataset.figure = figure.path;
      const path = document.createElement("code");
      path.textContent = figure.path;
      item.append(path, document.createTextNode(": " + figure.reason));
      return item;
    }));
    byId("left-out-box").hidden = study.leftOut.length === 0;
  }

  function showSelection(study) {
    const count = study.selected.length;
    byId("selection").textContent = count === 0 ? "none selected" :
        count + (count === 1 ? " body" : " bodies") + " selected";
    byId("clear").disabled = count === 0;
    byId("full").hidden = true;
  }

  function start() {
    const study = StudyData.read(byId("study-data").textContent);
    const colours = readColours();
    showSummary(study);
    const full = () => {
      byId("full").hidden = false;
    };
    const table = StudyTable.create(study, { table: byId("study-table"), box: byId("table-box") });
    StudyBodies.create(study, {
      canvas: byId("bodies"), scroller: byId("bodies-box"), spacer: byId("bodies-spacer"),
      pointed: byId("bodies-pointed"),
    }, colours, full);
    StudyScatter.create(study, {
      canvas: byId("scatter"), stage: byId("scatter-stage"), select: byId("scatter-measure"),
      pointed: byId("scatter-pointed"),
    }, colours, full);
    StudyCompare.create(study, {
      section: byId("compare-section"), canvas: byId("compare"), stage: byId("compare-stage"),
      legend: byId("compare-legend"), table: byId("compare-measures"), readout: byId("compare-readout"),
      missing: byId("compare-missing"), hint: byId("compare-hint"),
      viewButtons: document.querySelectorAll("#compare-section button[data-view]"),
    }, colours);
    StudyData.watch(study, (what) => {
      if (what === "selection") showSelection(study);
      else byId("shown").textContent = study.order.length + " of " + study.bodies.length + " shown";
    });
    showSelection(study);
    byId("shown").textContent = study.order.length + " of " + study.bodies.length + " shown";
    const filter = byId("filter");
    const onlyFlagged = byId("only-flagged");
    const refilter = () => StudyData.setFilter(study, filter.value, onlyFlagged.checked);
    filter.addEventListener("input", refilter);
    onlyFlagged.addEventListener("change", refilter);
    byId("clear").addEventListener("click", () => StudyData.clearSelection(study));
    root.setAttribute("data-ready", String(Math.round(performance.now())));
    return table;
  }

  try {
    start();
  } catch (e) {
    reportError(e && e.message ? e.message : e);
  }
})();
