#include "Dialogs.h"

QList<std::pair<QString, QString>> parseFileFilter(const QString& filter) {
    QList<std::pair<QString, QString>> out;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) out.append({parts[i], parts[i + 1]});
    return out;
}
