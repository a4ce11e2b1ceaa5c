#include "widgets/check_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kLineRole = Qt::UserRole;
constexpr int kColumnRole = Qt::UserRole + 1;
} // namespace

CheckPanel::CheckPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("checkPanel"));
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);
    auto *header = new QHBoxLayout;
    lblSummary_ = new QLabel(this);
    lblSummary_->setTextFormat(Qt::PlainText);
    busy_ = new QProgressBar(this);
    busy_->setRange(0, 0);
    busy_->setTextVisible(false);
    busy_->setMaximumWidth(120);
    cmdCancel_ = new QToolButton(this);
    cmdCancel_->setText(QStringLiteral("Cancel"));
    cmdCancel_->setAutoRaise(true);
    showBusy(false);
    auto *cmdClose = new QToolButton(this);
    cmdClose->setText(QStringLiteral("\u00d7"));
    cmdClose->setToolTip(QStringLiteral("Close"));
    cmdClose->setAutoRaise(true);
    header->addWidget(lblSummary_, 1);
    header->addWidget(busy_);
    header->addWidget(cmdCancel_);
    header->addWidget(cmdClose);
    rows->addLayout(header);

    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({QStringLiteral("Line"), QStringLiteral("Column"),
                            QStringLiteral("Kind"), QStringLiteral("Message")});
    list_->header()->setStretchLastSection(true);
    rows->addWidget(list_, 1);

    connect(cmdCancel_, &QToolButton::clicked, this, &CheckPanel::cancelRequested);
    connect(cmdClose, &QToolButton::clicked, this, &QWidget::hide);
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        const int line = item->data(0, kLineRole).toInt();
        if (line > 0)
            emit messageActivated(line, item->data(0, kColumnRole).toInt());
    });
    hide();
}

void CheckPanel::showBusy(bool busy)
{
    busy_->setVisible(busy);
    cmdCancel_->setVisible(busy);
}

void CheckPanel::setBusy(const QString &text)
{
    list_->clear();
    lblSummary_->setText(text);
    showBusy(true);
}

void CheckPanel::setStatus(const QString &text)
{
    list_->clear();
    lblSummary_->setText(text);
    showBusy(false);
}

void CheckPanel::setReport(const CheckReport &report, const QString &note)
{
    showBusy(false);
    list_->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(int(report.messages.size()));
    for (const PageMessage &m : report.messages) {
        auto *item = new QTreeWidgetItem(
            {m.line > 0 ? QString::number(m.line) : QString(),
             m.line > 0 ? QString::number(m.column) : QString(), kindText(m.kind), m.text});
        item->setData(0, kLineRole, m.line);
        item->setData(0, kColumnRole, m.column);
        items << item;
    }
    list_->addTopLevelItems(items);
    for (int c = 0; c < 3; ++c)
        list_->resizeColumnToContents(c);
    QString summary = report.errors + report.warnings == 0
        ? QStringLiteral("Check page: no warnings or errors.")
        : QStringLiteral("Check page: %1 error(s), %2 warning(s).").arg(report.errors).arg(report.warnings);
    if (report.messages.size() < size_t(report.errors + report.warnings))
        summary += QStringLiteral(" The first %1 are listed.").arg(report.messages.size());
    lblSummary_->setText(summary + note);
    if (!items.isEmpty())
        list_->setCurrentItem(items.first());
}

QString CheckPanel::summary() const
{
    return lblSummary_->text();
}
