#include "DiskNumbering.h"

#include <QSet>

QMap<QString, int> DiskNumbering::assign(const QMap<QString, int>& known, const QStringList& present, int first)
{
    QMap<QString, int> numbers;
    QSet<int> used;
    for (const QString& name : present) {
        const int number = known.value(name, -1);
        if (number >= first && !used.contains(number)) {
            numbers.insert(name, number);
            used.insert(number);
        }
    }
    int next = first;
    for (const QString& name : present) {
        if (numbers.contains(name))
            continue;
        while (used.contains(next))
            ++next;
        numbers.insert(name, next);
        used.insert(next);
    }
    return numbers;
}
