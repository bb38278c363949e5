#pragma once

#include <QTableWidgetItem>

namespace vorlo {

// A cell the user may select but not edit.
inline QTableWidgetItem* fixed_item(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace vorlo
