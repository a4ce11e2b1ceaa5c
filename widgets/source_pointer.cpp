#include "widgets/source_pointer.h"

#include <QContextMenuEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

namespace {

// A world of the editor's own: the page's scripts share the document with
// it, nothing else.
constexpr quint32 kWorld = kSourceWorld;
static_assert(kWorld == QWebEngineScript::UserWorld + 17);

// The elements the parser made are remembered when the document is ready,
// so that what the page's scripts do later moves no path. The outline
// lives in a closed shadow root of an overlay element, fixed to the view,
// that takes no clicks and no room.
const char kScript[] = R"JS(
(() => {
  if (window.velmoraSource) return;
  // Each element the parser made, with its place among its parent's
  // elements, as the document stood when it was ready: a script that
  // replaces or wraps an element later shifts none of the others.
  let parsed = null;
  const ownKids = el => Array.from(el.localName === 'template' && el.content ? el.content.children : el.children);
  const remember = () => {
    parsed = new WeakMap();
    const add = (el, index, parent) => {
      const kids = ownKids(el);
      parsed.set(el, {index, parent, kids});
      kids.forEach((k, i) => add(k, i, el));
    };
    add(document.documentElement, 0, null);
  };
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', remember);
  else remember();
  const record = el => { if (!parsed) remember(); return parsed.get(el); };
  const pathOf = el => {
    while (el && !record(el)) el = el.parentElement;
    if (!el) return null;
    const path = [];
    for (let r = record(el); r.parent; r = record(r.parent)) path.unshift(r.index);
    return path;
  };
  const at = path => {
    let el = document.documentElement, r = record(el);
    for (const i of path) {
      if (!r || i >= r.kids.length || !r.kids[i].isConnected) break;
      el = r.kids[i], r = record(el);
    }
    return el;
  };
  const onChar = (node, o, x, y) => {
    if (o < 0 || o >= node.length) return false;
    const r = document.createRange();
    r.setStart(node, o); r.setEnd(node, o + 1);
    return inside(r.getClientRects(), x, y);
  };
  const inside = (rects, x, y) => {
    for (const b of rects)
      if (x >= b.left && x <= b.right && y >= b.top && y <= b.bottom) return true;
    return false;
  };
  // The character of el's own text at the point, where the caret's place
  // does not tell it (text that cannot be selected).
  const charAt = (el, x, y) => {
    const r = document.createRange();
    for (const c of el.childNodes) {
      if (c.nodeType !== 3 && c.nodeType !== 4) continue;
      r.selectNodeContents(c);
      if (!inside(r.getClientRects(), x, y)) continue;
      for (let o = 0; o < c.length; ++o)
        if (onChar(c, o, x, y)) return [c, o];
    }
    return null;
  };
  const textPlace = (el, node, offset) => {
    let index = -1, before = 0, run = false;
    for (const c of el.childNodes) {
      if (c.nodeType === 3) {
        if (!run) index++, before = 0;
        if (c === node) return [index, before + offset];
        before += c.length; run = true;
      } else if (c.nodeType === 4) {
        index++; run = false;
        if (c === node) return [index, offset];
      } else if (c.nodeType !== 1 || record(c)) run = false;
    }
    return null;
  };
  let host = null, box = null, shown = null;
  const place = () => {
    if (!shown || !box) return;
    const r = shown.getBoundingClientRect();
    const s = box.style;
    s.display = r.width || r.height ? 'block' : 'none';
    s.left = (r.left - 2) + 'px'; s.top = (r.top - 2) + 'px';
    s.width = (r.width + 4) + 'px'; s.height = (r.height + 4) + 'px';
  };
  let queued = false;
  const later = () => { if (!queued) queued = true, requestAnimationFrame(() => { queued = false; place(); }); };
  window.addEventListener('scroll', later, {capture: true, passive: true});
  window.addEventListener('resize', later, {passive: true});
  const overlay = () => {
    if (!host) {
      host = document.createElement('velmora-outline');
      const hs = host.style;
      for (const [k, v] of [['all', 'initial'], ['position', 'fixed'], ['left', '0'], ['top', '0'],
                            ['width', '0'], ['height', '0'], ['overflow', 'visible'],
                            ['z-index', '2147483647'], ['pointer-events', 'none'], ['display', 'block']])
        hs.setProperty(k, v, 'important');
      const root = host.attachShadow({mode: 'closed'});
      box = document.createElement('div');
      const bs = box.style;
      for (const [k, v] of [['position', 'absolute'], ['box-sizing', 'border-box'],
                            ['border', '2px solid rgba(40, 120, 220, 0.9)'],
                            ['background', 'rgba(40, 120, 220, 0.08)'], ['border-radius', '2px'],
                            ['pointer-events', 'none']])
        bs.setProperty(k, v);
      root.appendChild(box);
    }
    if (!host.isConnected) document.documentElement.appendChild(host);
  };
  window.velmoraSource = {
    pick(x, y) {
      const hit = document.elementFromPoint(x, y);
      let el = hit;
      while (el && !record(el)) el = el.parentElement;
      const path = el && pathOf(el);
      if (!path) return null;
      if (el !== hit) return {path, scripted: true};
      const r = document.caretRangeFromPoint(x, y);
      let node = r && r.startContainer, o = -1;
      if (node && (node.nodeType === 3 || node.nodeType === 4) && node.parentNode === el)
        o = onChar(node, r.startOffset - 1, x, y) ? r.startOffset - 1
          : onChar(node, r.startOffset, x, y) ? r.startOffset : -1;
      if (o < 0) [node, o] = charAt(el, x, y) || [null, -1];
      const t = o >= 0 && textPlace(el, node, o);
      return t ? {path, text: t[0], offset: t[1]} : {path};
    },
    elements() {
      const out = [];
      const visit = (el, path) => {
        if (el.isConnected || el.getRootNode().nodeType === 11) out.push([path.join(','), el.localName]);
        record(el).kids.forEach((k, i) => visit(k, path.concat([i])));
      };
      visit(document.documentElement, []);
      return out;
    },
    outline(path, scroll) {
      if (!path) { shown = null; if (host) host.remove(); return true; }
      shown = at(path);
      overlay();
      place();
      const r = shown.getBoundingClientRect();
      const outside = r.bottom < 0 || r.top > innerHeight || r.right < 0 || r.left > innerWidth;
      if (scroll && outside) shown.scrollIntoView({block: r.height > innerHeight ? 'start' : 'center', inline: 'nearest'});
      place();
      return true;
    },
  };
})();
)JS";

} // namespace

SourcePointer::SourcePointer(QWebEngineView &view) : QObject(&view), view_(view)
{
    // The page's input goes to a child widget of the view.
    view.installEventFilter(this);
    for (QObject *child : view.children())
        if (child->isWidgetType())
            child->installEventFilter(this);
}

bool SourcePointer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &view_) {
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished) {
            QObject *child = static_cast<QChildEvent *>(event)->child();
            if (child->isWidgetType())
                child->installEventFilter(this);
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton
            || (mouse->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier))
                != Qt::ControlModifier)
            return false;
        // A Ctrl+click is the editor's: the page sees none of it.
        swallowRelease_ = true;
        if (event->type() == QEvent::MouseButtonPress)
            pick(static_cast<QWidget *>(watched)->mapTo(&view_, mouse->position().toPoint()));
        return true;
    }
    case QEvent::MouseButtonRelease:
        return std::exchange(swallowRelease_, false);
    default:
        return false;
    }
}

void SourcePointer::addToMenu(QMenu &menu, QPoint pos)
{
    menu.addSeparator();
    QAction *go = menu.addAction(QStringLiteral("Go to Source"));
    connect(go, &QAction::triggered, this, [this, pos] { pick(pos); });
}

void SourcePointer::run(const QString &call, const std::function<void(const QVariant &)> &done)
{
    QWebEnginePage *page = view_.page();
    if (!std::exchange(installed_, true)) {
        QWebEngineScript script;
        script.setName(QStringLiteral("velmora-source"));
        script.setSourceCode(QString::fromUtf8(kScript));
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(kWorld);
        script.setRunsOnSubFrames(false);
        page->scripts().insert(script);
        page->runJavaScript(script.sourceCode(), kWorld);
    }
    page->runJavaScript(QStringLiteral("window.velmoraSource && velmoraSource.") + call, kWorld,
                        [done, guard = QPointer(this)](const QVariant &v) {
                            if (guard)
                                done(v);
                        });
}

void SourcePointer::pick(QPoint pos)
{
    const qreal zoom = view_.zoomFactor() > 0 ? view_.zoomFactor() : 1;
    run(QStringLiteral("pick(%1, %2)").arg(pos.x() / zoom).arg(pos.y() / zoom), [this](const QVariant &v) {
        const QVariantMap where = v.toMap();
        if (where.contains(QStringLiteral("path")))
            emit pointed(where);
    });
}

void SourcePointer::outline(const QVariant &path, bool scroll)
{
    if (path.isNull() && !installed_)
        return;
    const QString arg = path.isNull()
        ? QStringLiteral("null")
        : QString::fromUtf8(QJsonDocument(QJsonArray::fromVariantList(path.toList())).toJson(QJsonDocument::Compact));
    run(QStringLiteral("outline(%1, %2)").arg(arg, scroll ? "true" : "false"), [](const QVariant &) {});
}
