#include "core/collation.h"

#include <QCollator>
#include <algorithm>

namespace collation {

static const QCollator &germanCollator() {
    static const QCollator c = [] {
        QCollator col(QLocale(QLocale::German, QLocale::Germany));
        col.setCaseSensitivity(Qt::CaseInsensitive);
        col.setNumericMode(false);
        col.setIgnorePunctuation(false);
        return col;
    }();
    return c;
}

int compare(const QString &a, const QString &b) {
    const int c = germanCollator().compare(a, b);
    if (c != 0)
        return c;
    return QString::compare(a, b, Qt::CaseSensitive);
}

void sort(QStringList &list) {
    // Sort keys once: comparing keys is much cheaper than collating each pair.
    struct Item {
        QCollatorSortKey key;
        QString text;
    };
    std::vector<Item> items;
    items.reserve(list.size());
    for (const QString &s : list)
        items.push_back({germanCollator().sortKey(s), s});
    std::stable_sort(items.begin(), items.end(), [](const Item &x, const Item &y) {
        const int c = x.key.compare(y.key);
        if (c != 0)
            return c < 0;
        return QString::compare(x.text, y.text, Qt::CaseSensitive) < 0;
    });
    for (qsizetype i = 0; i < list.size(); ++i)
        list[i] = items[size_t(i)].text;
}

} // namespace collation
