#include "editor/kept_option.h"

#include "core/settings.h"

#include <QAction>
#include <QMenu>

QAction *addKeptOption(QMenu &menu, const QString &caption, const QString &key,
                       const std::function<void(bool)> &apply)
{
    QAction *item = menu.addAction(caption);
    item->setCheckable(true);
    const std::optional<QString> text = settings::Store().get(key);
    const bool on = text && settings::toBoolean(*text).value_or(false);
    item->setChecked(on);
    apply(on);
    QObject::connect(item, &QAction::toggled, item, [key, apply](bool checked) {
        apply(checked);
        settings::Store().set({{key, settings::booleanText(checked)}});
    });
    return item;
}
