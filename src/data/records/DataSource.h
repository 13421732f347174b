#pragma once

#include <QObject>

namespace kalvero {

class RecordSet;

// What screen controls bind to: the record set behind a grid or a box.
class DataSource : public QObject {
    Q_OBJECT
public:
    DataSource(const QString &name, RecordSet *dataSet, QObject *parent = nullptr)
        : QObject(parent), m_dataSet(dataSet) {
        setObjectName(name);
    }
    RecordSet *dataSet() const { return m_dataSet; }
private:
    RecordSet *m_dataSet;
};

}  // namespace kalvero
