#include "host/dialog_host.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <optional>

#include "link/screen_text.h"
#include "settings/shown_language.h"

namespace doxa {

namespace {

constexpr auto BoxTitle = KEPT_TEXT("DOXA WIN");
// A label, button or group box shown translated keeps the program's own text here, so that the
// logic reads back what it wrote.
constexpr auto PolishText = "polishText";
// A drop-down item keeps it in this role.
constexpr int PolishItemRole = Qt::UserRole + 1;
// Scroll bars serve as arrow buttons; the logic counts the steps itself, so the bar keeps its
// thumb in the middle where both arrows always work.
constexpr int ArrowRangeMiddle = 1;

QString fromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// Shows `polish` translated on a label, button or group box, keeping the text the logic gave.
template <typename Widget, typename Setter>
void setShownText(Widget& widget, const QString& polish, Setter set) {
    const QString shown = shownQText(polish.toStdString());
    if (shown != polish)
        widget.setProperty(PolishText, polish);
    else
        widget.setProperty(PolishText, QVariant());
    (widget.*set)(shown);
}

QString polishOf(const QWidget& widget, const QString& shown) {
    const QVariant polish = widget.property(PolishText);
    return polish.isValid() ? polish.toString() : shown;
}

void addShownItems(QComboBox& combo, const QStringList& polish) {
    for (const QString& item : polish) {
        combo.addItem(shownQText(item.toStdString()));
        combo.setItemData(combo.count() - 1, item, PolishItemRole);
    }
}

QString polishComboText(const QComboBox& combo) {
    const int index = combo.currentIndex();
    // An editable drop-down may hold a typed text that is no item's.
    if (index < 0 || combo.currentText() != combo.itemText(index)) return combo.currentText();
    const QVariant polish = combo.itemData(index, PolishItemRole);
    return polish.isValid() ? polish.toString() : combo.currentText();
}

// Dialog texts may carry CR LF line ends; the text widgets want LF.
QString withLineFeeds(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMessageBox::Icon iconOf(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::Warning:
            return QMessageBox::Warning;
        case BoxIcon::Error:
            return QMessageBox::Critical;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

std::optional<Scroll> scrollOf(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return Scroll::LineUp;
        case QAbstractSlider::SliderSingleStepAdd:
            return Scroll::LineDown;
        case QAbstractSlider::SliderPageStepSub:
            return Scroll::PageUp;
        case QAbstractSlider::SliderPageStepAdd:
            return Scroll::PageDown;
        default:
            return std::nullopt;
    }
}

// The id of a control named c<id>; 0 for any other name.
int controlId(const QString& objectName) {
    if (objectName.size() < 2 || objectName.front() != QLatin1Char('c')) return 0;
    bool ok = false;
    const int id = objectName.mid(1).toInt(&ok);
    return ok && id > 0 && objectName.mid(1) == QString::number(id) ? id : 0;
}

// Replaces the whole text but keeps where the user had scrolled to, so that a growing listing
// does not jump back to its first line on every update.
// A box the user is typing in keeps its caret, so that a filter rewriting the text (the HART
// console lowers letters and cuts stray characters) does not throw it to the start.
template <typename Edit>
void replaceKeepingScroll(Edit& edit, const QString& text) {
    QScrollBar* bar = edit.verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum() && bar->maximum() > 0;
    const int position = bar->value();
    const bool typing = edit.hasFocus();
    const int caret = edit.textCursor().position();
    edit.setPlainText(text);
    if (typing) {
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(std::min(caret, int(edit.document()->characterCount()) - 1));
        edit.setTextCursor(cursor);
    }
    bar->setValue(atEnd ? bar->maximum() : position);
}

// A read-only text box holds the program's own report (a memory page's progress, the registers'
// answers), translated line by line as a label is, keeping the text the logic gave; a box the
// technician types in shows what is typed, as it is.
void showPlainText(QPlainTextEdit& edit, const QString& text) {
    const QString polish = withLineFeeds(text);
    const QString shown = edit.isReadOnly() ? shownQText(polish.toStdString()) : polish;
    edit.setProperty(PolishText, shown != polish ? QVariant(polish) : QVariant());
    replaceKeepingScroll(edit, shown);
}

// A filter that rewrites the text as the user types (upper or lower case, say) must not throw
// the caret to the end.
void replaceKeepingCaret(QLineEdit& edit, const QString& text) {
    const int caret = edit.cursorPosition();
    edit.setText(text);
    if (edit.hasFocus()) edit.setCursorPosition(std::min(caret, int(text.size())));
}

void setComboText(QComboBox& combo, const QString& text) {
    if (combo.isEditable()) {
        combo.setEditText(text);
        return;
    }
    int index = combo.findData(text, PolishItemRole);
    if (index < 0) index = combo.findText(text);
    if (index >= 0) combo.setCurrentIndex(index);
}

// Radio buttons of one group exclude each other, and Qt will not clear the checked one of
// them; a dialog that starts with no choice made must be able to.
void setButtonChecked(QAbstractButton& button, bool checked) {
    const bool exclusive = button.autoExclusive();
    if (!checked && exclusive) button.setAutoExclusive(false);
    button.setChecked(checked);
    button.setAutoExclusive(exclusive);
}

}  // namespace

QString shownQText(std::string_view polish) { return fromUtf8(shownText(polish)); }

Answer showMessageBox(QWidget* parent, std::string_view utf8, BoxIcon icon, BoxButtons buttons,
                      const BoxDetails& details) {
    const auto standardButtons =
        buttons == BoxButtons::Ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(iconOf(icon), QString::fromLatin1(BoxTitle), shownQText(utf8), standardButtons,
                    parent);
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(shownQText(UI_TEXT("Anuluj")));
    if (!details.informative.empty()) box.setInformativeText(shownQText(details.informative));
    QAbstractButton* extra =
        details.extraButton.empty()
            ? nullptr
            : box.addButton(shownQText(details.extraButton), QMessageBox::ActionRole);
    const int clicked = box.exec();
    if (extra && box.clickedButton() == extra) return Answer::Extra;
    return clicked == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

DialogHost::DialogHost(DialogLogic& logic, QWidget* parent, LayoutLookup lookup)
    : QDialog(parent), logic_(logic), lookup_(lookup) {
    if (const LayoutSetup setup = lookup_(logic_.layout())) {
        setup(*this);
        hasLayout_ = true;
        translateLayout();
        bindControls();
    } else {
        qWarning("No layout for dialog %d", logic_.layout());
    }
}

DialogHost::~DialogHost() { finish(); }

int DialogHost::run() {
    if (!hasLayout_ || !logic_.canCreate()) return ResultCancel;
    attached_ = true;
    logic_.attach(*this);
    logic_.onInit();
    // A dialog may end while it initialises (a port that will not open); it is never shown then.
    if (!ended_) exec();
    finish();
    return result();
}

QWidget* DialogHost::control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QWidget* DialogHost::lookupControl(int id) const {
    QWidget* widget = control(id);
    // A layout that lacks a control its logic uses is a fault of the layout; say so once.
    if (!widget && reportedMissing_.insert(id).second)
        qWarning("Dialog %d has no control c%d", logic_.layout(), id);
    return widget;
}

void DialogHost::bindControls() {
    for (QWidget* widget : findChildren<QWidget*>())
        if (const int id = controlId(widget->objectName())) bind(id, widget);
    // The program's icon is drawn in code, so a layout cannot name it as a resource; a label
    // called applicationIcon shows it.
    if (auto* icon = findChild<QLabel*>(QStringLiteral("applicationIcon")))
        icon->setPixmap(QApplication::windowIcon().pixmap(icon->minimumSize().expandedTo(QSize(32, 32))));
    makeButtonOneTheDefault();
}

// The layout's own texts: what the technician reads, never what is typed or read from a device.
void DialogHost::translateLayout() {
    setWindowTitle(shownQText(windowTitle().toStdString()));
    for (QLabel* label : findChildren<QLabel*>())
        setShownText(*label, label->text(), &QLabel::setText);
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        setShownText(*button, button->text(), &QAbstractButton::setText);
    for (QGroupBox* group : findChildren<QGroupBox*>())
        setShownText(*group, group->title(), &QGroupBox::setTitle);
    for (QComboBox* combo : findChildren<QComboBox*>()) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items.append(combo->itemText(i));
        const int current = combo->currentIndex();
        const QString typed = combo->isEditable() ? combo->currentText() : QString();
        combo->clear();
        addShownItems(*combo, items);
        combo->setCurrentIndex(current);
        if (combo->isEditable()) combo->setEditText(typed);
    }
    for (QWidget* widget : findChildren<QWidget*>())
        if (!widget->toolTip().isEmpty())
            widget->setToolTip(shownQText(widget->toolTip().toStdString()));
}

void DialogHost::bind(int id, QWidget* widget) {
    if (!controls_.emplace(id, widget).second) {
        qWarning("Dialog %d names c%d twice", logic_.layout(), id);
        return;
    }
    ids_[widget] = id;
    widget->installEventFilter(this);
    const auto changed = [this, id] {
        if (listening() && !settingText_) logic_.onChange(id);
    };
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (listening()) logic_.onCommand(id);
        });
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, changed);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        connect(plain, &QPlainTextEdit::textChanged, this, changed);
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
        rich->setAcceptRichText(false);
        connect(rich, &QTextEdit::textChanged, this, changed);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        connect(list, &QListWidget::currentRowChanged, this, changed);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, &QComboBox::activated, this, changed);
        if (QLineEdit* comboEdit = combo->lineEdit())
            connect(comboEdit, &QLineEdit::textEdited, this, changed);
    } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
        bar->setRange(ArrowRangeMiddle - 1, ArrowRangeMiddle + 1);
        bar->setValue(ArrowRangeMiddle);
        connect(bar, &QAbstractSlider::actionTriggered, this, [this, id, bar](int action) {
            bar->setSliderPosition(ArrowRangeMiddle);
            const std::optional<Scroll> code = scrollOf(action);
            if (code && listening()) logic_.onScroll(id, *code);
        });
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        // Values from the transmitter are shown as they are, never read as markup.
        label->setTextFormat(Qt::PlainText);
    }
}

void DialogHost::makeButtonOneTheDefault() {
    const QList<QPushButton*> buttons = findChildren<QPushButton*>();
    if (std::any_of(buttons.begin(), buttons.end(), [](QPushButton* b) { return b->isDefault(); }))
        return;
    // Without this Qt would make the first button the default, and Enter in an edit field
    // could send a request to the transmitter. Enter means OK, and only where there is one.
    for (QPushButton* button : buttons) button->setAutoDefault(false);
    if (auto* ok = qobject_cast<QPushButton*>(control(ResultOk))) ok->setDefault(true);
}

void DialogHost::setText(int id, std::string_view utf8) {
    QWidget* widget = lookupControl(id);
    if (!widget) return;
    const QString text = fromUtf8(utf8);
    const QScopedValueRollback guard(settingText_, true);
    if (auto* label = qobject_cast<QLabel*>(widget))
        setShownText(*label, text, &QLabel::setText);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        replaceKeepingCaret(*edit, text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        setShownText(*button, text, &QAbstractButton::setText);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        setShownText(*group, text, &QGroupBox::setTitle);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        setComboText(*combo, text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        showPlainText(*plain, text);
    else if (auto* rich = qobject_cast<QTextEdit*>(widget))
        replaceKeepingScroll(*rich, withLineFeeds(text));
}

std::string DialogHost::text(int id) const {
    const QWidget* widget = lookupControl(id);
    QString text;
    if (!widget)
        return {};
    else if (auto* label = qobject_cast<const QLabel*>(widget))
        text = polishOf(*label, label->text());
    else if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        text = edit->text();
    else if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        text = polishOf(*button, button->text());
    else if (auto* group = qobject_cast<const QGroupBox*>(widget))
        text = polishOf(*group, group->title());
    else if (auto* combo = qobject_cast<const QComboBox*>(widget))
        text = polishComboText(*combo);
    else if (auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        text = polishOf(*plain, plain->toPlainText());
    else if (auto* rich = qobject_cast<const QTextEdit*>(widget))
        text = rich->toPlainText();
    return text.toStdString();
}

void DialogHost::setChecked(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(lookupControl(id)))
        setButtonChecked(*button, checked);
}

bool DialogHost::isChecked(int id) const {
    const auto* button = qobject_cast<const QAbstractButton*>(lookupControl(id));
    return button && button->isChecked();
}

void DialogHost::setSelection(int id, int index) {
    QWidget* widget = lookupControl(id);
    const QScopedValueRollback guard(settingText_, true);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    else if (auto* list = qobject_cast<QListWidget*>(widget))
        list->setCurrentRow(index >= 0 && index < list->count() ? index : -1);
}

int DialogHost::selection(int id) const {
    const QWidget* widget = lookupControl(id);
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->currentIndex();
    if (const auto* list = qobject_cast<const QListWidget*>(widget)) return list->currentRow();
    return -1;
}

void DialogHost::setItems(int id, const std::vector<std::string>& utf8) {
    QStringList items;
    for (const std::string& item : utf8) items.append(fromUtf8(item));
    QWidget* widget = lookupControl(id);
    const QScopedValueRollback guard(settingText_, true);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->clear();
        addShownItems(*combo, items);
        combo->setCurrentIndex(-1);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->clear();
        for (const std::string& item : utf8) list->addItem(shownQText(item));
        list->setCurrentRow(-1);
    }
}

void DialogHost::setEnabled(int id, bool enabled) {
    if (QWidget* widget = lookupControl(id)) widget->setEnabled(enabled);
}

void DialogHost::setVisible(int id, bool visible) {
    if (QWidget* widget = lookupControl(id)) widget->setVisible(visible);
}

void DialogHost::setReadOnly(int id, bool readOnly) {
    QWidget* widget = lookupControl(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setReadOnly(readOnly);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        plain->setReadOnly(readOnly);
    else if (auto* rich = qobject_cast<QTextEdit*>(widget))
        rich->setReadOnly(readOnly);
}

void DialogHost::setTitle(std::string_view utf8) { setWindowTitle(shownQText(utf8)); }

void DialogHost::startTimer(int timer, int ms) {
    if (ended_) return;
    QTimer*& qtimer = timers_[timer];
    if (!qtimer) {
        qtimer = new QTimer(this);
        // A coarse timer may fire up to 5 % early; a listen step cut short that way reads an
        // answer still arriving at 1200 baud, so every wait is at least the one scheduled.
        qtimer->setTimerType(Qt::PreciseTimer);
        connect(qtimer, &QTimer::timeout, this, [this, timer] {
            if (listening()) logic_.onTimer(timer);
        });
    }
    qtimer->start(std::max(ms, 1));
}

void DialogHost::stopTimer(int timer) {
    if (const auto it = timers_.find(timer); it != timers_.end()) it->second->stop();
}

Answer DialogHost::messageBox(std::string_view utf8, BoxIcon icon, BoxButtons buttons,
                              const BoxDetails& details) {
    return showMessageBox(this, utf8, icon, buttons, details);
}

int DialogHost::runChild(DialogLogic& child) {
    DialogHost host(child, this, lookup_);
    return host.run();
}

void DialogHost::end(int result) {
    if (ended_) return;
    ended_ = true;
    for (const auto& [id, timer] : timers_) timer->stop();
    done(result);
}

void DialogHost::accept() {
    if (listening()) logic_.onCommand(ResultOk);
}

void DialogHost::reject() {
    if (listening()) logic_.onCommand(ResultCancel);
}

bool DialogHost::eventFilter(QObject* watched, QEvent* event) {
    const bool gained = event->type() == QEvent::FocusIn;
    if ((gained || event->type() == QEvent::FocusOut) && listening()) {
        // A drop-down list opening its own popup has not really lost the focus.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const auto it = ids_.find(watched);
        if (it != ids_.end() && reason != Qt::PopupFocusReason) logic_.onFocus(it->second, gained);
    }
    return QDialog::eventFilter(watched, event);
}

void DialogHost::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && listening()) {
        const QPoint at = event->position().toPoint();
        logic_.onMouseDown(at.x(), at.y());
    }
    QDialog::mousePressEvent(event);
}

void DialogHost::finish() {
    ended_ = true;
    for (const auto& [id, timer] : timers_) timer->stop();
    if (attached_ && !destroyed_) {
        destroyed_ = true;
        logic_.onDestroy();
    }
}

}  // namespace doxa
