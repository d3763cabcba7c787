// The figure page: reads the figure data embedded in the page and draws it in
// the 3-D view, with the body panel for a body figure, the keys dialog and
// saving the view as a PNG. The texts around the figure (its facts, the
// missing landmarks, the measures) come written in the page's markup. The
// page tells a reader (such as a test) how it went through attributes on
// <html>: data-ready once the first frame is drawn (its value the
// milliseconds since the page began to load; the body panel's data-waiting is
// gone once its contents are laid out too), data-error with the message when
// something failed, and data-canvas, the canvas's box in CSS pixels ("left
// top width height").
(() => {
  const root = document.documentElement;

  function reportError(message) {
    showPanel();
    if (!root.hasAttribute("data-error")) root.setAttribute("data-error", String(message));
    const box = document.getElementById("message");
    if (box) {
      box.textContent = "The figure cannot be shown: " + message;
      box.hidden = false;
    }
  }
  window.addEventListener("error", (e) => {
    // A resize that lands while a resize is being handled is delivered in the
    // next frame; the browser's note about that is no failure.
    if (!/^ResizeObserver loop/.test(e.message)) reportError(e.message || "script error");
  });

  // The figure first; what the page shows around it is in its markup, and the
  // folded landmark list is filled once the first frame is drawn.
  function start() {
    const figure = readFigure(document.getElementById("figure-data").textContent);
    const joined = View3D.joinedSegments(figure.lines);
    const body = BodyPanel.read(figure.body, figure.lines.length / 6);
    if (body) BodyPanel.separateAcross(body, joined);
    const colours = readColours();

    const scene = {
      shape: View3D.shapeOf([figure], figure.size / 100),
      paint: (context, m, ratio) => paint(figure, joined, body, colours, context, m, ratio),
    };
    const viewer = View3D.create(document.getElementById("figure"), document.getElementById("stage"), scene, {
      address: true,
      viewButtons: document.querySelectorAll("button[data-view]"),
      turnButton: document.getElementById("turn"),
      angles: document.getElementById("angles"),
      scaleBar: document.getElementById("scale-bar"),
      scaleText: document.getElementById("scale-text"),
      onFit: (box) => {
        root.setAttribute("data-canvas", [box.left, box.top, box.width, box.height].map(Math.round).join(" "));
      },
    });
    root.setAttribute("data-ready", String(Math.round(performance.now())));
    requestAnimationFrame(() => setTimeout(showPanel));
    View3D.listen(viewer);
    document.getElementById("save").addEventListener("click", () => savePicture(viewer, figure));
    const dialog = listenKeys();
    if (body) {
      BodyPanel.listen(body, viewer, () => dialog.open);
      BodyPanel.listLater(body);
    }
  }

  // The panel's contents, held back (see data-waiting in the style) so that
  // the first frame lays out the figure alone.
  function showPanel() {
    document.getElementById("body-panel").removeAttribute("data-waiting");
  }

  // Checks the embedded data and turns its number lists into typed arrays, the
  // one copy the page keeps.
  function readFigure(text) {
    const data = JSON.parse(text);
    const numbers = (list, group) =>
      Array.isArray(list) && list.length % group === 0 && list.every(Number.isFinite);
    if (!data || !numbers(data.lines, 6) || !numbers(data.circles, 4) ||
        !numbers(data.min, 3) || data.min.length !== 3 || !numbers(data.max, 3) ||
        data.max.length !== 3) {
      throw new Error("the figure data in this page is damaged");
    }
    return {
      title: typeof data.title === "string" ? data.title : "",
      whiteBack: data.whiteBack === true,
      fillCircles: data.fillCircles === true,
      min: data.min,
      max: data.max,
      size: Number.isFinite(data.size) && data.size > 0 ? data.size : 1,
      lines: new Float64Array(data.lines),
      circles: new Float64Array(data.circles),
      body: data.body,  // checked by BodyPanel.read
    };
  }

  function readColours() {
    const style = getComputedStyle(root);
    return {
      back: style.getPropertyValue("--figure-back").trim() || "#ffffff",
      ink: style.getPropertyValue("--figure-ink").trim() || "#000000",
      mark: style.getPropertyValue("--figure-mark").trim() || "#c2410c",
    };
  }

  // The figure on its background: the lines (but those across a missing
  // landmark), the circle marks, then what the body panel adds.
  function paint(figure, joined, body, colours, context, m, ratio) {
    const width = context.canvas.width;
    const height = context.canvas.height;
    context.fillStyle = colours.back;
    context.fillRect(0, 0, width, height);
    context.strokeStyle = colours.ink;
    context.fillStyle = colours.ink;
    context.lineCap = "round";
    context.lineJoin = "round";
    const count = figure.lines.length / 6;
    context.lineWidth = (count > 5000 ? 1 : 2) * ratio;
    View3D.paintLines(context, m, figure.lines, joined, body ? (i) => body.across[i] : null);
    if (figure.circles.length > 0) View3D.paintCircles(figure, context, m, ratio);
    if (body) BodyPanel.paint(body, figure.lines, context, m, ratio, colours.mark);
  }

  function openKeys(dialog) {
    if (!dialog.open) dialog.showModal();
  }

  // The keys dialog: its button, its close button and the key ?.
  function listenKeys() {
    const dialog = document.getElementById("keys");
    document.getElementById("keys-button").addEventListener("click", () => openKeys(dialog));
    document.getElementById("keys-close").addEventListener("click", () => dialog.close());
    document.addEventListener("keydown", (e) => {
      if (e.ctrlKey || e.metaKey || e.altKey || e.key !== "?") return;
      e.preventDefault();
      if (dialog.open) dialog.close();
      else openKeys(dialog);
    });
    return dialog;
  }

  function fileStem() {
    let name = "";
    try {
      name = decodeURIComponent(location.pathname.split("/").pop() || "");
    } catch (e) {
      name = "";
    }
    return name.replace(/\.[^.]*$/, "") || "figure";
  }

  // Saves the view as a PNG at the canvas's resolution, with the title and a
  // scale bar, named after the page and the view (3D_BODY-front.png).
  function savePicture(viewer, figure) {
    const out = document.createElement("canvas");
    out.width = viewer.canvas.width;
    out.height = viewer.canvas.height;
    const context = out.getContext("2d");
    const ratio = viewer.ratio;
    View3D.paintInto(viewer, context, out.width, out.height, ratio);
    const bar = View3D.scaleBar(View3D.scaleOf(viewer, out.width, out.height), 120 * ratio);
    context.fillStyle = readColours().ink;
    context.font = 15 * ratio + "px system-ui, sans-serif";
    context.textBaseline = "top";
    context.fillText(figure.title, 12 * ratio, 12 * ratio);
    const x = 12 * ratio, y = out.height - 14 * ratio;
    context.fillRect(x, y, bar.pixels, 2 * ratio);
    context.fillRect(x, y - 6 * ratio, ratio, 6 * ratio);
    context.fillRect(x + bar.pixels - ratio, y - 6 * ratio, ratio, 6 * ratio);
    context.textBaseline = "bottom";
    context.fillText(View3D.format(bar.length), x + bar.pixels + 6 * ratio, y + 4 * ratio);
    const view = View3D.addressOf(viewer.view).slice(1).replace("view=", "").replace("&", "-");
    const name = fileStem() + "-" + view.replace(/=/g, "") + ".png";
    out.toBlob((blob) => {
      if (!blob) {
        reportError("the picture could not be made");
        return;
      }
      const url = URL.createObjectURL(blob);
      const link = document.createElement("a");
      link.href = url;
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
    }, "image/png");
  }

  try {
    start();
  } catch (e) {
    reportError(e && e.message ? e.message : e);
  }
})();
