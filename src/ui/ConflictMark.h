#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QLabel;
class QVariant;
class QWidget;

namespace kalvero {

class RecordSet;

// Beside a box that shows a field: once the operator took the stored version
// of a record (CurrentVersionOffer) and the field had been changed both here
// and at the other workstation, the other workstation's value is shown in
// red beside the box ("Na outra estação: ..."), so that the operator sees
// what the next save would replace. The mark goes when the typing agrees
// with it, when the record is written, or when its change is dropped.
class ConflictMark : public QObject {
    Q_OBJECT
public:
    // How the box says a value; by default as the field formats it.
    using TextOf = std::function<QString(const QVariant &)>;

    static ConflictMark *attach(QWidget *box, RecordSet *set, const QString &fieldName, TextOf textOf = {});
    // The mark of a box; null when it has none.
    static ConflictMark *of(const QWidget *box);
    // The object name of a box's mark: "lblOutraEstacao_" and the box's name.
    static QString labelName(const QWidget *box);
    // What a window calls the field, from the caption of a box marked for it
    // there (its label, or the label of its row, or the title of its frame);
    // the field's own label when no box shows it.
    static QString captionOf(const QWidget *window, const RecordSet &set, const QString &fieldName);

private:
    ConflictMark(QWidget *box, RecordSet *set, const QString &fieldName, TextOf textOf);
    void update();
    QLabel *makeLabel();
    void placeUnderTheBox();
    bool eventFilter(QObject *watched, QEvent *event) override;

    QPointer<QWidget> m_box;
    RecordSet *m_set;
    QString m_fieldName;
    TextOf m_textOf;
    QPointer<QLabel> m_label;
    bool m_floating = false;  // no layout row to stand in: it follows the box
};

}  // namespace kalvero
