#include "document_dialogs/table_cell_layout.h"

#include "document_dialogs/dialog_parts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLineEdit *buddyTextBox(QWidget *parent, const QString &text, QLabel *label)
{
    auto *box = new QLineEdit(text, parent);
    label->setBuddy(box);
    return box;
}

QGridLayout *swatchGrid(const QList<SwatchRow> &rows)
{
    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(rows[i].colourButton, 2 * i, 0);
        grid->addWidget(rows[i].defaultButton, 2 * i + 1, 0);
        rows[i].swatch->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        grid->addWidget(rows[i].swatch, 2 * i, 1, 2, 1);
    }
    return grid;
}
