#include "ConflictMark.h"

#include "CurrentRecordWatch.h"
#include "data/records/FieldFormat.h"
#include "data/records/RecordSet.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace kalvero {

namespace {

// The value in full goes into the tooltip; the label keeps to a short line.
constexpr int ShownCharacters = 24;

// The layout that holds the box as one of its own items, searched from top.
QLayout *layoutHolding(QLayout *layout, const QWidget *box) {
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == box)
            return layout;
        if (QLayout *found = layoutHolding(item->layout(), box))
            return found;
    }
    return nullptr;
}

// A caption as the question names it: "Data de Entrada*" is "Data de Entrada".
QString plainCaption(QString text) {
    text.remove(QLatin1Char('&'));
    text.remove(QLatin1Char('*'));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

QString captionOfBox(const QWidget *window, const QWidget *box) {
    const QList<QLabel *> labels = window->findChildren<QLabel *>();
    auto labelFor = [&](const QWidget *widget) -> QString {
        for (const QLabel *label : labels)
            if (label->buddy() == widget && !plainCaption(label->text()).isEmpty())
                return plainCaption(label->text());
        return {};
    };
    if (QString own = labelFor(box); !own.isEmpty())
        return own;
    // A list beside its code box: the row's label names both.
    QWidget *parent = box->parentWidget();
    if (QLayout *row = parent ? layoutHolding(parent->layout(), box) : nullptr; qobject_cast<QBoxLayout *>(row))
        for (int i = 0; i < row->count(); ++i)
            if (QWidget *other = row->itemAt(i)->widget(); other && other != box)
                if (QString caption = labelFor(other); !caption.isEmpty() && !qobject_cast<QLabel *>(other))
                    return caption;
    for (const QWidget *w = parent; w && w != window; w = w->parentWidget())
        if (const auto *frame = qobject_cast<const QGroupBox *>(w); frame && !plainCaption(frame->title()).isEmpty())
            return plainCaption(frame->title());
    return {};
}

}  // namespace

QString ConflictMark::captionOf(const QWidget *window, const RecordSet &set, const QString &fieldName) {
    if (window)
        for (const ConflictMark *mark : window->findChildren<ConflictMark *>())
            if (mark->m_set == &set && mark->m_fieldName == fieldName && mark->m_box)
                if (QString caption = captionOfBox(window, mark->m_box); !caption.isEmpty())
                    return caption;
    const FieldDef *field = set.fieldNamed(fieldName);
    return field ? field->displayLabel() : fieldName;
}

ConflictMark *ConflictMark::attach(QWidget *box, RecordSet *set, const QString &fieldName, TextOf textOf) {
    return new ConflictMark(box, set, fieldName, std::move(textOf));
}

ConflictMark *ConflictMark::of(const QWidget *box) {
    return box->findChild<ConflictMark *>(QString(), Qt::FindDirectChildrenOnly);
}

QString ConflictMark::labelName(const QWidget *box) { return QStringLiteral("lblOutraEstacao_") + box->objectName(); }

ConflictMark::ConflictMark(QWidget *box, RecordSet *set, const QString &fieldName, TextOf textOf)
    : QObject(box), m_box(box), m_set(set), m_fieldName(fieldName), m_textOf(std::move(textOf)) {
    followCurrentRecord(set, this, [this] { update(); });
}

void ConflictMark::update() {
    if (!m_box)
        return;
    const QHash<QString, QVariant> changed = m_set->isActive() ? m_set->changedAtBothPlaces() : QHash<QString, QVariant>();
    const auto other = changed.constFind(m_fieldName);
    if (other == changed.constEnd()) {
        if (m_label)
            m_label->hide();
        return;
    }
    QString value;
    if (m_textOf)
        value = m_textOf(*other);
    else if (const FieldDef *field = m_set->fieldNamed(m_fieldName))
        value = FieldFormat::displayText(*field, *other);
    if (value.trimmed().isEmpty())
        value = QStringLiteral("(em branco)");
    QLabel *label = m_label ? m_label.data() : makeLabel();
    QString line = value.simplified();
    if (line.size() > ShownCharacters)
        line = line.left(ShownCharacters - 1) + QChar(0x2026);
    label->setText(QStringLiteral("Na outra estação:\n") + line);
    label->setToolTip(QStringLiteral("Este campo foi alterado também em outra estação de trabalho, que gravou:\n\n") +
                      value +
                      QStringLiteral("\n\nAo gravar, o sistema pergunta antes de substituir esse valor pelo que está "
                                     "na caixa."));
    label->show();
    if (m_floating)
        placeUnderTheBox();
}

QLabel *ConflictMark::makeLabel() {
    QWidget *parent = m_box->parentWidget();
    auto *label = new QLabel(parent);
    m_label = label;
    label->setObjectName(labelName(m_box));
    label->setTextFormat(Qt::PlainText);
    // Small, on two lines, so that a row of boxes gives up little room.
    label->setStyleSheet(QStringLiteral("QLabel { color: #c00000; }"));
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    // In a row of boxes it stands beside the box; in a grid the box's cell
    // becomes a row of the box and the mark; elsewhere it floats under it.
    QLayout *holder = parent ? layoutHolding(parent->layout(), m_box) : nullptr;
    if (auto *row = qobject_cast<QBoxLayout *>(holder)) {
        row->insertWidget(row->indexOf(m_box) + 1, label);
    } else if (auto *grid = qobject_cast<QGridLayout *>(holder)) {
        int r = 0, c = 0, rows = 1, columns = 1;
        grid->getItemPosition(grid->indexOf(m_box), &r, &c, &rows, &columns);
        const Qt::Alignment alignment = grid->itemAt(grid->indexOf(m_box))->alignment();
        grid->removeWidget(m_box);
        auto *cell = new QHBoxLayout;
        cell->setContentsMargins(0, 0, 0, 0);
        cell->addWidget(m_box, 1);
        cell->addWidget(label);
        grid->addLayout(cell, r, c, rows, columns, alignment);
    } else {
        m_floating = true;
        m_box->installEventFilter(this);
    }
    return label;
}

void ConflictMark::placeUnderTheBox() {
    if (!m_label || !m_box)
        return;
    m_label->adjustSize();
    m_label->move(m_box->geometry().bottomLeft());
    m_label->raise();
}

bool ConflictMark::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_box && (event->type() == QEvent::Move || event->type() == QEvent::Resize) && m_label &&
        m_label->isVisible())
        placeUnderTheBox();
    return QObject::eventFilter(watched, event);
}

}  // namespace kalvero
