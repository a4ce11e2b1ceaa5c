#include "editor/view_options.h"

#include "core/settings.h"
#include "widgets/pane_decor.h"

#include <QAction>
#include <QMenu>

namespace {

bool stored(const settings::Store &store, const QString &key)
{
    const std::optional<QString> text = store.get(key);
    return text && settings::toBoolean(*text).value_or(false);
}

} // namespace

ViewOptions::ViewOptions(HTMLPane &pane, QMenu &mnuOptions)
    : QObject(&mnuOptions),
      colouring_(new SyntaxColouring(pane)),
      numbers_(new LineNumbers(pane))
{
    mnuOptions.addSeparator();
    mnuSyntax = mnuOptions.addAction(QStringLiteral("&Syntax colouring"));
    mnuLineNumbers = mnuOptions.addAction(QStringLiteral("Line &numbers"));
    const settings::Store store;
    struct Option {
        QAction *item;
        QString key;
        std::function<void(bool)> apply;
    };
    const Option options[] = {
        {mnuSyntax, QStringLiteral("SyntaxColouring"), [this](bool on) { colouring_->setOn(on); }},
        {mnuLineNumbers, QStringLiteral("LineNumbers"), [this](bool on) { numbers_->setOn(on); }},
    };
    for (const Option &o : options) {
        o.item->setCheckable(true);
        const bool on = stored(store, o.key);
        o.item->setChecked(on);
        o.apply(on);
        connect(o.item, &QAction::toggled, this, [o](bool checked) {
            o.apply(checked);
            settings::Store().set({{o.key, settings::booleanText(checked)}});
        });
    }
}
