#pragma once

#include <QObject>

namespace kalvero {

class RecordSet;

// What screen controls bind to: a record set, which a screen may detach or
// point elsewhere without touching the controls.
class DataSource : public QObject {
    Q_OBJECT
public:
    DataSource(const QString &name, RecordSet *dataSet, QObject *parent = nullptr)
        : QObject(parent), m_dataSet(dataSet) {
        setObjectName(name);
    }
    RecordSet *dataSet() const { return m_dataSet; }
    void setDataSet(RecordSet *dataSet) {
        m_dataSet = dataSet;
        emit dataSetChanged();
    }

signals:
    void dataSetChanged();

private:
    RecordSet *m_dataSet;
};

}  // namespace kalvero
