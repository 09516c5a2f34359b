#include "app/widgets/entry_grid.hpp"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "app/platform/dialogs.hpp"
#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/units_form.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"
#include "units/number_text.hpp"

namespace qdx::app {

namespace {

// A row that cannot take an operation; reported with the operation's message.
struct RowError : std::runtime_error {
    RowError() : std::runtime_error("row") {}
};

std::string Std(const QString& s) { return s.toStdString(); }
QString Qs(const std::string& s) { return QString::fromStdString(s); }

// The pictures of the row buttons: an ellipsis, a pull-down arrow, spin arrows.
enum class Glyph { Ellipsis, PullDown, Up, Down };

QIcon GlyphIcon(Glyph glyph, const QColor& colour) {
    QPixmap pixmap(9, glyph == Glyph::Up || glyph == Glyph::Down ? 5 : 9);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    switch (glyph) {
        case Glyph::Ellipsis:
            for (int x : {0, 4, 8}) p.drawRect(x, 6, 1, 2);
            break;
        case Glyph::PullDown: {
            QPainterPath path;
            path.moveTo(0, 2);
            path.lineTo(9, 2);
            path.lineTo(4.5, 7);
            path.closeSubpath();
            p.drawPath(path);
            break;
        }
        case Glyph::Up:
        case Glyph::Down: {
            QPainterPath path;
            const bool up = glyph == Glyph::Up;
            path.moveTo(0.5, up ? 4.5 : 0.5);
            path.lineTo(8.5, up ? 4.5 : 0.5);
            path.lineTo(4.5, up ? 0.5 : 4.5);
            path.closeSubpath();
            p.setRenderHint(QPainter::Antialiasing, true);
            p.drawPath(path);
            break;
        }
    }
    return QIcon(pixmap);
}

}  // namespace

// The cells of the grid, row 0 being the header. Data rows of the view are the grid's rows 1...
class TEntryGridModel : public QAbstractTableModel {
public:
    explicit TEntryGridModel(TEntryGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() || cells.empty() ? 0 : static_cast<int>(cells.size()) - 1;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : grid_->colCount_;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
        const int row = index.row() + 1, col = index.column();
        switch (role) {
            case Qt::DisplayRole:
                return grid_->DisplayText(col, row);
            case Qt::EditRole:
                return Cell(col, row);
            case Qt::ForegroundRole:
                if (!grid_->RowEnabled(row))
                    return grid_->palette().color(QPalette::Disabled, QPalette::Text);
                if (grid_->OnCellTextColor)
                    if (const QColor c = grid_->OnCellTextColor(col, row); c.isValid()) return c;
                return {};
            case Qt::BackgroundRole:
                if (col == 1 && grid_->colorEditCol_ != grid_->palette().color(QPalette::Base))
                    return grid_->colorEditCol_;
                return {};
            default:
                return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < columnCount())
            return Cell(section, 0);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (index.column() == 1) {
            const TField* field = grid_->Field(index.row() + 1);
            const bool editable =
                !field || (field->Enabled && field->Editable && !dynamic_cast<const TEnumField*>(field) &&
                           !dynamic_cast<const TBoolField*>(field));
            if (editable) f |= Qt::ItemIsEditable;
        }
        return f;
    }

    QString Cell(int col, int row) const {
        if (row < 0 || row >= static_cast<int>(cells.size())) return {};
        return cells[row].value(col);
    }

    void SetCell(int col, int row, const QString& text) {
        if (row < 0 || row >= static_cast<int>(cells.size()) || col < 0) return;
        QStringList& r = cells[row];
        while (r.size() <= col) r.append(QString());
        if (r[col] == text) return;
        r[col] = text;
        if (col >= columnCount()) return;
        if (row == 0) {
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            const QModelIndex i = index(row - 1, col);
            emit dataChanged(i, i);
        }
    }

    void Reset(std::vector<QStringList> rows) {
        beginResetModel();
        cells = std::move(rows);
        endResetModel();
    }

    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }

    std::vector<QStringList> cells;

private:
    TEntryGrid* grid_;
};

// The in-place editor and the painting of the value column.
class TEntryGridDelegate : public QStyledItemDelegate {
public:
    explicit TEntryGridDelegate(TEntryGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new TxInplaceEdit(parent, grid_);
        editor->setObjectName(QStringLiteral("InplaceEdit"));
        QPalette pal = editor->palette();
        pal.setColor(QPalette::Base, grid_->colorEditMode_);
        pal.setColor(QPalette::Text, grid_->colorEditModeText_);
        editor->setPalette(pal);
        grid_->editor_ = editor;
        return editor;
    }

    void setEditorData(QWidget* editorWidget, const QModelIndex& index) const override {
        auto* editor = static_cast<TxInplaceEdit*>(editorWidget);
        if (editor->Modified()) return;  // a cell written while the user types keeps the typing
        const int row = index.row() + 1;
        if (const TNumField* nf = dynamic_cast<const TNumField*>(grid_->Field(row))) {
            // The editor works in display units: the range converted, no conversion of its own.
            editor->SetFormatStr(nf->FormatStr);
            editor->SetFormatType(nf->FormatType);
            editor->SetSigDigs(nf->SigDigs);
            editor->SetRangeLo(ToUnits(nf->RangeLo, nf->Factor, nf->Offset));
            editor->SetRangeHi(ToUnits(nf->RangeHi, nf->Factor, nf->Offset));
        } else {
            editor->SetFormatStr(QStringLiteral("%S"));
            editor->SetRangeLo(0);
            editor->SetRangeHi(0);
        }
        editor->setText(grid_->Cells(1, row));
        editor->selectAll();
    }

    void setModelData(QWidget* editorWidget, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        auto* editor = static_cast<TxInplaceEdit*>(editorWidget);
        if (!editor->Modified()) return;
        editor->Validate();
        editor->SetModified(false);
        const int row = index.row() + 1;
        grid_->SetCells(1, row, editor->text());
        emit grid_->OnDoSetData(1, row);
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override {
        QRect r = option.rect;
        // Leave the row's button visible beside the typed text.
        if (const TField* f = grid_->Field(index.row() + 1);
            f && f->Enabled && (f->Kind == fkPropertyEditor || f->Kind == fkSpin))
            r.setRight(r.right() - r.height());
        editor->setGeometry(r);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        // An inactive grid shows its value column in the column colour, not as a selection.
        if (index.column() == 1 && (opt.state & QStyle::State_Selected) &&
            (!grid_->isEnabled() || !grid_->GridActive()))
            opt.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, opt, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        // The check box over the current check row shows its state; its text would show beside.
        if (index.column() == 1 && grid_->showCheck_ && index.row() + 1 == grid_->controlsRow_ &&
            grid_->checkBox_ && grid_->checkBox_->isVisible())
            option->text.clear();
    }

    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<TxInplaceEdit*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            switch (key) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                case Qt::Key_Tab:
                case Qt::Key_Backtab:
                    emit commitData(editor);
                    emit closeEditor(editor, NoHint);
                    return true;
                case Qt::Key_Escape:
                    // The text shown when editing began comes back; nothing is committed.
                    editor->setText(editor->FocusText());
                    editor->SetModified(false);
                    emit closeEditor(editor, NoHint);
                    return true;
                default:
                    break;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TEntryGrid* grid_;
};

// --- construction ---

TEntryGrid::TEntryGrid(QWidget* parent) : QTableView(parent) {
    model_ = new TEntryGridModel(this);
    setModel(model_);
    setItemDelegate(new TEntryGridDelegate(this));
    colorEditCol_ = palette().color(QPalette::Base);
    colorEditMode_ = colorEditCol_;
    colorEditModeText_ = palette().color(QPalette::Text);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setDefaultSectionSize(16);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setDefaultSectionSize(60);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);

    unitsClickHandler_ = [](TEntryGrid& grid, int row, const QPoint& pos, TField* field) {
        grid.StandardUnitsClick(row, pos, field);
    };

    CreateRowControls();
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { PlaceRowControls(); });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this] { PlaceRowControls(); });

    SetLines({});
    const int widths[] = {90, 60, 50};
    for (int c = 0; c < 3; ++c) setColumnWidth(c, widths[c]);
    resize(206, 72);
}

TEntryGrid::~TEntryGrid() {
    // The pick list's destruction sends events to its filters while it is half destroyed, when
    // the filter could no longer look at it.
    if (pickList_) {
        pickList_->removeEventFilter(this);
        pickList_->viewport()->removeEventFilter(this);
    }
    // The row controls live on the parent; they go with the grid.
    for (QWidget* w : RowControls()) delete w;
}

void TEntryGrid::CreateRowControls() {
    QWidget* host = parentWidget() ? parentWidget() : this;
    const QColor ink = palette().color(QPalette::ButtonText);
    auto makeButton = [&](const char* name, Glyph glyph) {
        auto* b = new QToolButton(host);
        b->setObjectName(QLatin1String(name));
        b->setIcon(GlyphIcon(glyph, ink));
        b->setIconSize(glyph == Glyph::Up || glyph == Glyph::Down ? QSize(9, 5) : QSize(9, 9));
        b->setFocusPolicy(Qt::NoFocus);
        b->resize(15, 15);
        b->hide();
        return b;
    };
    propButton_ = makeButton("PropEdButton", Glyph::Ellipsis);
    pullDownButton_ = makeButton("PullDownButton", Glyph::PullDown);
    spinUpButton_ = makeButton("SpinUpButton", Glyph::Up);
    spinDownButton_ = makeButton("SpinDownButton", Glyph::Down);
    spinUpButton_->setAutoRepeat(true);
    spinDownButton_->setAutoRepeat(true);
    connect(propButton_, &QToolButton::clicked, this, [this] { PropertyEdit(controlsRow_); });
    connect(pullDownButton_, &QToolButton::clicked, this, [this] {
        if (pickList_->isVisible())
            ClosePickList();
        else
            OpenPickList();
    });
    connect(spinUpButton_, &QToolButton::clicked, this, [this] { Spin(controlsRow_, true); });
    connect(spinDownButton_, &QToolButton::clicked, this, [this] { Spin(controlsRow_, false); });

    checkBox_ = new QCheckBox(host);
    checkBox_->setObjectName(QStringLiteral("CheckBox"));
    checkBox_->setFocusPolicy(Qt::NoFocus);
    checkBox_->hide();
    // Toggled, not clicked: a screen reader's toggle action commits as a click does. The grid's
    // own updates of the box are made with its signals blocked.
    connect(checkBox_, &QCheckBox::toggled, this, [this](bool on) { CheckBoxClicked(on); });

    pickList_ = new QListWidget(host);
    pickList_->setObjectName(QStringLiteral("PickList"));
    pickList_->setFrameShape(QFrame::Box);
    pickList_->setLineWidth(1);
    pickList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pickList_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    pickList_->setUniformItemSizes(true);
    pickList_->hide();
    pickList_->installEventFilter(this);
    pickList_->viewport()->installEventFilter(this);
}

std::array<QWidget*, 6> TEntryGrid::RowControls() const {
    return {propButton_, pullDownButton_, spinUpButton_, spinDownButton_, checkBox_, pickList_};
}

void TEntryGrid::ReparentRowControls() {
    QWidget* host = parentWidget() ? parentWidget() : this;
    for (QWidget* w : RowControls())
        if (w && w->parentWidget() != host) w->setParent(host);
    PlaceRowControls();
}

// --- rows ---

int TEntryGrid::RowCount() const { return static_cast<int>(model_->cells.size()); }

void TEntryGrid::SetColCount(int count) {
    if (count < 1 || count == colCount_) return;
    std::vector<int> widths;
    for (int c = 0; c < colCount_; ++c) widths.push_back(columnWidth(c));
    model_->BeginReset();
    colCount_ = count;
    model_->EndReset();
    for (int c = 0; c < count && c < static_cast<int>(widths.size()); ++c)
        setColumnWidth(c, widths[c]);
    SetCurrentCell(1, 1);
}

QString TEntryGrid::Cells(int ACol, int ARow) const { return model_->Cell(ACol, ARow); }

void TEntryGrid::SetCells(int ACol, int ARow, const QString& text) {
    model_->SetCell(ACol, ARow, text);
}

TField* TEntryGrid::Field(int ARow) const {
    if (ARow < 0 || ARow >= static_cast<int>(fields_.size())) return nullptr;
    return fields_[ARow].get();
}

TField* TEntryGrid::FieldOrThrow(int ARow) const {
    TField* f = Field(ARow);
    if (!f) throw RowError();
    return f;
}

TNumField* TEntryGrid::NumField(int ARow) const { return dynamic_cast<TNumField*>(Field(ARow)); }

void TEntryGrid::SetLines(const QStringList& lines) {
    if (editor_) closeEditor(editor_, QAbstractItemDelegate::NoHint);
    HideRowControls();
    std::vector<int> widths;
    for (int c = 0; c < colCount_; ++c) widths.push_back(columnWidth(c));

    lines_ = lines;
    fields_.clear();
    const int rows = std::max(2, static_cast<int>(lines.size()));
    std::vector<QStringList> cells(rows);
    QStringList failed;
    auto split = [this](const QString& line) {
        QStringList parts = line.split(delim_);
        for (QString& p : parts) p = p.trimmed();
        return parts;
    };
    if (!lines.isEmpty()) {
        cells[0] = split(lines[0]);
        auto header = std::make_unique<TField>();
        header->FormatStr = QStringLiteral("%S");
        fields_.push_back(std::move(header));
    }
    for (int i = 1; i < lines.size(); ++i) {
        QStringList parts = split(lines[i]);
        while (parts.size() < 2) parts.append(QString());
        const QString name = parts.value(0);
        const QString format = parts.value(1);
        const QString style = parts.value(3);
        const std::uint8_t kind =
            style.compare(QLatin1String("PE"), Qt::CaseInsensitive) == 0     ? fkPropertyEditor
            : style.compare(QLatin1String("Spin"), Qt::CaseInsensitive) == 0 ? fkSpin
                                                                              : fkPlain;
        std::unique_ptr<TField> field;
        QString initial;
        if (format.compare(QLatin1String("enum"), Qt::CaseInsensitive) == 0) {
            auto f = std::make_unique<TEnumField>();
            f->Items = parts.mid(3);
            initial = f->Items.value(0);
            field = std::move(f);
        } else if (format.compare(QLatin1String("check"), Qt::CaseInsensitive) == 0) {
            field = std::make_unique<TBoolField>();
        } else {
            const TFormatKind fk = FormatKind(Std(format));
            if (fk == TFormatKind::Integer || fk == TFormatKind::Float || fk == TFormatKind::Pair) {
                // Range and step: an empty part is the default, anything else must be a number.
                auto number = [&](int part, double fallback, bool& ok) {
                    const QString text = parts.value(part);
                    if (text.isEmpty()) return fallback;
                    double v = 0;
                    if (!TryStrToFloat(Std(text), v)) ok = false;
                    return v;
                };
                bool ok = true;
                const double lo = number(4, 0.0, ok);
                const double hi = number(5, 0.0, ok);
                const double step = number(6, 1.0, ok);
                if (ok) {
                    std::unique_ptr<TNumField> nf;
                    if (fk == TFormatKind::Pair)
                        nf = std::make_unique<TDelimNumField>();
                    else
                        nf = std::make_unique<TNumField>();
                    nf->Kind = kind;
                    nf->RangeLo = lo;
                    nf->RangeHi = hi;
                    nf->Step = step;
                    nf->FormatStr = format;
                    nf->Decimals = FormatDecimals(Std(format));
                    try {
                        initial = fk == TFormatKind::Pair      ? Qs(Format(Std(format), 0.0, 0.0))
                                  : fk == TFormatKind::Integer ? Qs(Format(Std(format), 0))
                                                               : Qs(Format(Std(format), 0.0));
                    } catch (const ConvertError&) {
                        initial.clear();
                    }
                    field = std::move(nf);
                } else {
                    field = std::make_unique<TField>();
                    field->FormatStr = QStringLiteral("%S");
                    failed.append(name);
                }
            } else {
                field = std::make_unique<TField>();
                field->Kind = kind;
            }
        }
        if (field->FormatStr.isEmpty()) field->FormatStr = format;
        parts[1] = initial;
        cells[i] = parts;
        fields_.push_back(std::move(field));
    }
    model_->Reset(std::move(cells));
    for (int c = 0; c < colCount_ && c < static_cast<int>(widths.size()); ++c)
        setColumnWidth(c, widths[c]);
    SetCurrentCell(1, 1);
    // Told once the grid is whole again.
    for (const QString& name : failed)
        Dialogs().Message(this, QStringLiteral("Error initialising ") + name, QString(),
                          TMsgKind::Error, TMsgButtons::Ok, TMsgResult::Ok);
}

// --- values ---

QVariant TEntryGrid::GetValue(int ACol, int ARow) const {
    const QString text = Cells(ACol, ARow);
    const TField* f = ACol == 1 ? Field(ARow) : nullptr;
    if (!f) return text;
    if (auto* nf = dynamic_cast<const TNumField*>(f)) {
        const bool pair = dynamic_cast<const TDelimNumField*>(f) != nullptr;
        const QString shown = pair && text.isEmpty() ? QStringLiteral("0.0/0.0") : text;
        return ToVariant(ReadEntryValue(Std(shown), Std(nf->FormatStr), nf->Factor, nf->Offset));
    }
    if (auto* ef = dynamic_cast<const TEnumField*>(f)) return static_cast<int>(ef->Items.indexOf(text));
    if (dynamic_cast<const TBoolField*>(f))
        return text.compare(QLatin1String("[x]"), Qt::CaseInsensitive) == 0;
    return text;
}

void TEntryGrid::SetValue(int ACol, int ARow, const QVariant& value) {
    TField* f = ACol == 1 ? Field(ARow) : nullptr;
    if (!f) {
        SetCells(ACol, ARow, value.toString());
        return;
    }
    if (auto* nf = dynamic_cast<TNumField*>(f)) {
        SetCells(1, ARow, Qs(WriteEntryValue(ToEntryValue(value), nf->EntryFormat(), nf->Factor,
                                             nf->Offset)));
    } else if (auto* ef = dynamic_cast<TEnumField*>(f)) {
        bool ok = false;
        const int index = value.toInt(&ok);
        if (ok && index >= 0 && index < ef->Items.size()) SetCells(1, ARow, ef->Items[index]);
    } else if (dynamic_cast<TBoolField*>(f)) {
        const bool on = value.toBool();
        SetCells(1, ARow, on ? QStringLiteral("[x]") : QStringLiteral("[ ]"));
        if (ARow == controlsRow_ && checkBox_) {
            const QSignalBlocker block(checkBox_.data());
            checkBox_->setChecked(on);
        }
    } else {
        SetCells(1, ARow, Qs(WriteEntryValue(ToEntryValue(value), {Std(f->FormatStr)}, 1.0, 0.0)));
    }
}

QString TEntryGrid::DisplayText(int ACol, int ARow) const {
    const QString text = Cells(ACol, ARow);
    const TNumField* nf = ACol == 1 ? NumField(ARow) : nullptr;
    if (!nf || text.isEmpty()) return text;
    const std::string format = Std(nf->FormatStr);
    try {
        if (dynamic_cast<const TDelimNumField*>(nf)) {
            double a = 0, b = 0;
            if (ParseValuePair(Std(text), a, b)) return Qs(Format(format, a, b));
            return Qs(Format(format.substr(0, format.find('/')), a));
        }
        const double v = StrToFloat(Std(text));
        if (FormatKind(format) == TFormatKind::Integer)
            return std::fabs(v) < 9e18 ? Qs(Format(format, static_cast<long long>(std::llround(v))))
                                       : text;
        return Qs(Format(format, v));
    } catch (const ConvertError&) {
        return text;
    }
}

// --- unit settings ---

void TEntryGrid::ApplyRowUnits(int ARow) {
    TNumField* nf = NumField(ARow);
    if (!nf) throw RowError();
    const QVariant stored = GetValue(1, ARow);
    std::string format, symbol;
    double offset = nf->Offset, factor = nf->Factor;
    GetUnitsConversion(nf->UnitsType, nf->UnitsValue, nf->UnitsBase, format, offset, factor,
                       symbol);
    nf->Offset = offset;
    nf->Factor = factor;
    const bool pair = dynamic_cast<TDelimNumField*>(nf) != nullptr;
    if (nf->FormatType != ft_Manual && nf->UnitsType != utNone) nf->FormatStr = Qs(format);
    nf->Decimals = FormatDecimals(Std(nf->FormatStr));
    if (unitsCol_ >= 0 && nf->UnitsType != utNone) {
        const QString sym = Qs(symbol);
        if (colCount_ == 2) {
            const QString caption = Cells(0, ARow);
            const int comma = caption.indexOf(',');
            if (comma >= 0) SetCells(0, ARow, caption.left(comma + 1) + sym);
        } else {
            SetCells(2, ARow, sym);
        }
    }
    if (pair && !nf->FormatStr.contains('/')) nf->FormatStr = nf->FormatStr + '/' + nf->FormatStr;
    SetValue(1, ARow, stored);
}

void TEntryGrid::ApplyRowUnitsWithRetry(int ARow) {
    try {
        ApplyRowUnits(ARow);
    } catch (const std::exception&) {
        TNumField* nf = NumField(ARow);
        if (!nf) throw;
        nf->UnitsValue = 0;
        ApplyRowUnits(ARow);
    }
}

void TEntryGrid::RowMessage(const char* text, int ARow) const {
    Dialogs().ShowMessage(const_cast<TEntryGrid*>(this),
                          QLatin1String(text) + QString::number(ARow));
}

void TEntryGrid::SetRowUnits(int ARow, TUnitsType unitsType, double offset, double factor,
                             TFormatType formatType, int unitsValue, int unitsBase) {
    try {
        TNumField* nf = NumField(ARow);
        if (!nf) throw RowError();
        nf->UnitsType = unitsType;
        nf->Offset = offset;
        nf->Factor = factor;
        nf->FormatType = formatType;
        nf->UnitsValue = unitsValue;
        nf->UnitsBase = unitsBase;
        ApplyRowUnitsWithRetry(ARow);
    } catch (const std::exception&) {
        RowMessage("Error setting units, row ", ARow);
    }
}

void TEntryGrid::SetRowUnitsValue(int ARow, int unitsValue) {
    try {
        FieldOrThrow(ARow);
        TNumField* nf = NumField(ARow);
        if (!nf) return;
        nf->UnitsValue = unitsValue;
        ApplyRowUnitsWithRetry(ARow);
    } catch (const std::exception&) {
        RowMessage("Error setting units value, row ", ARow);
    }
}

TUnitsType TEntryGrid::RowUnitsType(int ARow) const {
    try {
        FieldOrThrow(ARow);
        const TNumField* nf = NumField(ARow);
        return nf ? nf->UnitsType : utNone;
    } catch (const std::exception&) {
        RowMessage("Error getting units type, row ", ARow);
        return utNone;
    }
}

int TEntryGrid::RowUnitsValue(int ARow) const {
    try {
        FieldOrThrow(ARow);
        const TNumField* nf = NumField(ARow);
        return nf ? nf->UnitsValue : 0;
    } catch (const std::exception&) {
        RowMessage("Error getting units value, row ", ARow);
        return 0;
    }
}

double TEntryGrid::RowFactor(int ARow) const {
    try {
        FieldOrThrow(ARow);
        const TNumField* nf = NumField(ARow);
        return nf ? nf->Factor : 0.0;
    } catch (const std::exception&) {
        RowMessage("Error getting units factor, row ", ARow);
        return 0.0;
    }
}

double TEntryGrid::RowOffset(int ARow) const {
    try {
        FieldOrThrow(ARow);
        const TNumField* nf = NumField(ARow);
        return nf ? nf->Offset : 0.0;
    } catch (const std::exception&) {
        RowMessage("Error getting units zero value, row ", ARow);
        return 0.0;
    }
}

QString TEntryGrid::RowFormatStr(int ARow) const {
    try {
        return FieldOrThrow(ARow)->FormatStr;
    } catch (const std::exception&) {
        RowMessage("Error getting format string, row ", ARow);
        return QStringLiteral("%S");
    }
}

double TEntryGrid::RowRangeLo(int ARow) const {
    try {
        FieldOrThrow(ARow);
        const TNumField* nf = NumField(ARow);
        return nf ? ToUnits(nf->RangeLo, nf->Factor, nf->Offset) : 0.0;
    } catch (const std::exception&) {
        RowMessage("Error getting range lo, row ", ARow);
        return 0.0;
    }
}

double TEntryGrid::RowRangeHi(int ARow) const {
    try {
        FieldOrThrow(ARow);
        const TNumField* nf = NumField(ARow);
        return nf ? ToUnits(nf->RangeHi, nf->Factor, nf->Offset) : 0.0;
    } catch (const std::exception&) {
        RowMessage("Error getting range hi, row ", ARow);
        return 0.0;
    }
}

bool TEntryGrid::RowHasUnits(int ARow) const {
    const TNumField* nf = NumField(ARow);
    return nf && nf->UnitsType != utNone;
}

void TEntryGrid::SetRowSigDigs(int ARow, int sigDigs) {
    try {
        TNumField* nf = NumField(ARow);
        if (!nf) throw RowError();
        nf->SigDigs = sigDigs;
    } catch (const std::exception&) {
        RowMessage("Error setting significant digits, row ", ARow);
    }
}

void TEntryGrid::SetRowEnabled(int ARow, bool enabled) {
    try {
        FieldOrThrow(ARow)->Enabled = enabled;
        viewport()->update();
        if (ARow == Row()) SelectCurrentCell(false);
    } catch (const std::exception&) {
        RowMessage("Error setting enabled row ", ARow);
    }
}

bool TEntryGrid::RowEnabled(int ARow) const {
    const TField* f = Field(ARow);
    return !f || f->Enabled;
}

void TEntryGrid::SetRowPropertyEditor(int ARow, TPropertyEditHandler handler) {
    try {
        TField* f = FieldOrThrow(ARow);
        f->Kind = fkPropertyEditor;
        f->OnPropertyEdit = std::move(handler);
        if (ARow == Row()) SelectCurrentCell(false);
    } catch (const std::exception&) {
        RowMessage("Error setting property editor, row ", ARow);
    }
}

void TEntryGrid::SetRowEnumStrings(int ARow, const QStringList& strings) {
    try {
        TField* f = FieldOrThrow(ARow);
        auto* ef = dynamic_cast<TEnumField*>(f);
        if (!ef) {
            // Another kind of row becomes a pick list, keeping its state.
            auto replacement = std::make_unique<TEnumField>();
            replacement->FormatStr = QStringLiteral("enum");
            replacement->Enabled = f->Enabled;
            replacement->Editable = f->Editable;
            ef = replacement.get();
            fields_[ARow] = std::move(replacement);
        }
        ef->Kind = fkPickList;
        ef->Items = strings;
        if (ARow == Row()) SelectCurrentCell(false);
    } catch (const std::exception&) {
        RowMessage("Error setting enum strings, row ", ARow);
    }
}

QStringList TEntryGrid::RowEnumItems(int ARow) const {
    const auto* ef = dynamic_cast<const TEnumField*>(Field(ARow));
    return ef ? ef->Items : QStringList();
}

// --- units column ---

void TEntryGrid::StandardUnitsClick(int ARow, const QPoint& screenPos, TField* field) {
    auto* nf = dynamic_cast<TNumField*>(field);
    if (!nf || nf->UnitsType == utNone) return;
    if (!unitsForm_) unitsForm_ = new TUnitsForm(this);
    const int chosen = unitsForm_->Execute(nf->UnitsType, nf->UnitsValue, screenPos);
    if (chosen < 0) return;
    try {
        nf->UnitsValue = chosen;
        ApplyRowUnitsWithRetry(ARow);
    } catch (const std::exception&) {
        RowMessage("Error setting units value, row ", ARow);
    }
}

// --- editing ---

bool TEntryGrid::EditorMode() const { return state() == EditingState; }

void TEntryGrid::SetEditorMode(bool on) {
    if (on) {
        if (!EditorMode() && currentIndex().isValid()) edit(currentIndex(), AllEditTriggers, nullptr);
        return;
    }
    if (EditorMode() && editor_) {
        TxInplaceEdit* editor = editor_;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

int TEntryGrid::Col() const { return currentIndex().isValid() ? currentIndex().column() : -1; }
int TEntryGrid::Row() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

void TEntryGrid::SetCurrentCell(int ACol, int ARow) {
    const QModelIndex i = model_->index(ARow - 1, ACol);
    if (i.isValid()) setCurrentIndex(i);
}

bool TEntryGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (trigger != NoEditTriggers && index.isValid() && OnCanEditShow &&
        (model_->flags(index) & Qt::ItemIsEditable) && !EditorMode() &&
        !OnCanEditShow(index.column(), index.row() + 1))
        return false;
    return QTableView::edit(index, trigger, event);
}

// --- row controls ---

QString TEntryGrid::PropertyName(int ARow) const { return Cells(0, ARow).trimmed(); }

void TEntryGrid::HideRowControls() {
    showPropButton_ = showSpin_ = showPullDown_ = showCheck_ = false;
    controlsRow_ = -1;
    for (QWidget* w : RowControls())
        if (w) w->hide();
}

void TEntryGrid::SelectCurrentCell(bool raiseSelect) {
    const int col = Col(), row = Row();
    HideRowControls();
    if (col == 1 && row >= 1) {
        const TField* f = Field(row);
        if (f && f->Enabled) {
            controlsRow_ = row;
            showPropButton_ = f->Kind == fkPropertyEditor;
            showSpin_ = f->Kind == fkSpin;
            showPullDown_ = dynamic_cast<const TEnumField*>(f) != nullptr;
            showCheck_ = dynamic_cast<const TBoolField*>(f) != nullptr;
            const QString name = PropertyName(row);
            propButton_->setAccessibleName(QStringLiteral("Edit ") + name);
            pullDownButton_->setAccessibleName(QStringLiteral("Choose ") + name);
            spinUpButton_->setAccessibleName(QStringLiteral("Increase ") + name);
            spinDownButton_->setAccessibleName(QStringLiteral("Decrease ") + name);
            propButton_->setToolTip(propButton_->accessibleName());
            pullDownButton_->setToolTip(pullDownButton_->accessibleName());
            checkBox_->setAccessibleName(name);
            pickList_->setAccessibleName(name);
            if (showCheck_) {
                const QSignalBlocker block(checkBox_.data());
                checkBox_->setChecked(GetValue(1, row).toBool());
            }
        }
    }
    PlaceRowControls();
    if (raiseSelect) emit OnSelectCell(col, row);
}

void TEntryGrid::PlaceRowControls() {
    // During the parent's destruction the controls may already be gone.
    for (QWidget* w : RowControls())
        if (!w) return;
    QWidget* host = propButton_->parentWidget();
    const QModelIndex index = model_->index(controlsRow_ - 1, 1);
    if (!isVisible() || controlsRow_ < 1 || !index.isValid()) {
        for (QWidget* w : RowControls())
            if (w) w->hide();
        return;
    }
    QRect cell = visualRect(index);
    if (showGrid()) cell.adjust(0, 0, -1, -1);  // inside the grid lines
    const QRect visible = viewport()->rect();
    auto place = [&](QWidget* w, const QRect& r, bool show) {
        if (!show || !visible.contains(r)) {
            w->hide();
            return;
        }
        w->setGeometry(QRect(viewport()->mapTo(host, r.topLeft()), r.size()));
        w->setEnabled(isEnabled());
        w->show();
        w->raise();
    };
    const int h = cell.height();
    const QRect button(cell.right() - h + 1, cell.top(), h, h);
    place(propButton_, button, showPropButton_);
    place(pullDownButton_, button, showPullDown_);
    place(spinUpButton_, QRect(button.left(), cell.top(), h, h / 2), showSpin_);
    place(spinDownButton_, QRect(button.left(), cell.top() + h / 2, h, h - h / 2), showSpin_);
    const int ch = std::min(h, 20);
    place(checkBox_, QRect(cell.left() + 1, cell.top() + (h - ch) / 2, ch - 2, ch), showCheck_);
    if (pickList_->isVisible()) {
        if (!showPullDown_ || !visible.intersects(cell))
            pickList_->hide();
        else
            pickList_->setGeometry(PickListRect(cell));
    }
}

QRect TEntryGrid::PickListRect(const QRect& cell) const {
    QWidget* host = pickList_->parentWidget();
    const int count = pickList_->count();
    const int itemHeight = DefaultRowHeight();
    int width = cell.width();
    int widest = 0;
    const QFontMetrics fm = pickList_->fontMetrics();
    for (int i = 0; i < count; ++i) widest = std::max(widest, fm.horizontalAdvance(pickList_->item(i)->text()));
    if (widest < 192) width = std::max(width, widest + 8);
    const int rows = count < 6 ? count + 1 : 6;
    int height = rows * itemHeight + 2 * pickList_->frameWidth();
    if (count > 6) width += pickList_->verticalScrollBar()->sizeHint().width();
    QPoint below = viewport()->mapTo(host, QPoint(cell.left(), cell.bottom() + 1));
    // Opened upwards when the parent has no room below the cell.
    if (below.y() + height > host->height()) {
        const QPoint above = viewport()->mapTo(host, QPoint(cell.left(), cell.top() - height));
        if (above.y() >= 0) below = above;
    }
    return QRect(below, QSize(width, height));
}

void TEntryGrid::OpenPickList() {
    const auto* ef = dynamic_cast<const TEnumField*>(Field(controlsRow_));
    if (!ef || !showPullDown_) return;
    SetEditorMode(false);
    pickList_->clear();
    const int itemHeight = DefaultRowHeight();
    for (const QString& text : ef->Items) {
        auto* item = new QListWidgetItem(text, pickList_);
        item->setSizeHint(QSize(0, itemHeight));
    }
    const int current = GetValue(1, controlsRow_).toInt();
    if (current >= 0) pickList_->setCurrentRow(current);
    QRect cell = visualRect(model_->index(controlsRow_ - 1, 1));
    if (showGrid()) cell.adjust(0, 0, -1, -1);
    pickList_->setGeometry(PickListRect(cell));
    pickList_->show();
    pickList_->raise();
    pickList_->setFocus(Qt::OtherFocusReason);
}

void TEntryGrid::ClosePickList() {
    if (pickList_) pickList_->hide();
}

void TEntryGrid::CommitPickList() {
    const int row = controlsRow_;
    if (!dynamic_cast<const TEnumField*>(Field(row))) return;
    const int index = pickList_->currentRow();
    if (index < 0) return;
    SetValue(1, row, index);
    emit OnDoSetData(1, row);
}

void TEntryGrid::StepPickList(int ARow, bool forward) {
    const auto* ef = dynamic_cast<const TEnumField*>(Field(ARow));
    if (!ef || !ef->Enabled || ef->Items.isEmpty()) return;
    const int count = static_cast<int>(ef->Items.size());
    const int index = ef->Items.indexOf(Cells(1, ARow));
    const int next = forward ? (index + 1) % count : (index <= 0 ? count - 1 : index - 1);
    SetValue(1, ARow, next);
    if (pickList_->isVisible() && ARow == controlsRow_) pickList_->setCurrentRow(next);
    emit OnDoSetData(1, ARow);
}

void TEntryGrid::CheckBoxClicked(bool checked) {
    const int row = controlsRow_;
    if (!dynamic_cast<const TBoolField*>(Field(row))) return;
    SetValue(1, row, checked);
    emit OnDoSetData(1, row);
}

void TEntryGrid::Spin(int ARow, bool up) {
    SetEditorMode(false);
    TNumField* nf = NumField(ARow);
    if (!nf || !nf->Enabled || dynamic_cast<TDelimNumField*>(nf)) return;
    double v = 0;
    try {
        v = StrToFloat(CleanNumberText(Std(Cells(1, ARow))));
    } catch (const ConvertError&) {
        return;
    }
    try {
        const std::optional<double> next =
            SpinValue(v, Std(nf->FormatStr), nf->Step, ToUnits(nf->RangeLo, nf->Factor, nf->Offset),
                      ToUnits(nf->RangeHi, nf->Factor, nf->Offset), up);
        if (!next) return;
        SetValue(1, ARow, FromUnits(*next, nf->Factor, nf->Offset));
    } catch (const CalcError&) {
        return;
    }
    emit OnDoSetData(1, ARow);
}

void TEntryGrid::PropertyEdit(int ARow) {
    SetEditorMode(false);
    const TField* f = Field(ARow);
    if (!f || !f->OnPropertyEdit) return;
    // The handler may rebuild the grid: call a copy.
    const TPropertyEditHandler handler = f->OnPropertyEdit;
    QVariant value = GetValue(1, ARow);
    const int result = handler(value);
    if (result == 1) {
        SetValue(1, ARow, value);
        emit OnDoSetData(1, ARow);
        setFocus(Qt::OtherFocusReason);
    } else if (result == 2) {
        setFocus(Qt::OtherFocusReason);
    }
}

// --- look ---

int TEntryGrid::DefaultRowHeight() const { return verticalHeader()->defaultSectionSize(); }

void TEntryGrid::SetDefaultRowHeight(int height) {
    verticalHeader()->setMinimumSectionSize(std::min(height, 8));
    verticalHeader()->setDefaultSectionSize(height);
}

int TEntryGrid::ColWidths(int ACol) const { return columnWidth(ACol); }
void TEntryGrid::SetColWidths(int ACol, int width) { setColumnWidth(ACol, width); }

void TEntryGrid::SetScrollBars(bool horizontal, bool vertical) {
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TEntryGrid::SetColorEditCol(const QColor& c) {
    colorEditCol_ = c;
    viewport()->update();
}

bool TEntryGrid::GridActive() const {
    const QWidget* f = QApplication::focusWidget();
    return f && (f == this || isAncestorOf(f) || f == pickList_ || f == checkBox_);
}

// --- events ---

void TEntryGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    SelectCurrentCell(true);
}

void TEntryGrid::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !EditorMode()) {
        // Enter opens the editor; in the editor it commits.
        if (Col() == 1) edit(currentIndex(), EditKeyPressed, nullptr);
        event->accept();
        return;
    }
    if ((key == Qt::Key_Right || key == Qt::Key_Left) && !EditorMode() && Col() == 1 &&
        showPullDown_ && controlsRow_ == Row()) {
        StepPickList(controlsRow_, key == Qt::Key_Right);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TEntryGrid::mousePressEvent(QMouseEvent* event) {
    swallowContextMenu_ = false;
    const QModelIndex index = indexAt(event->position().toPoint());
    const int row = index.row() + 1, col = index.column();
    if (index.isValid() && unitsCol_ >= 0 && col == unitsCol_ && Field(row) && unitsClickHandler_) {
        SetEditorMode(false);
        unitsClickHandler_(*this, row, event->globalPosition().toPoint(), Field(row));
        emit OnAfterRightClick(row);
        // Re-read and rewrite the value so the row shows it as its current unit does.
        SetValue(1, row, GetValue(1, row));
        update(model_->index(row - 1, 1));
        SetCurrentCell(col, row);
        swallowContextMenu_ = event->button() == Qt::RightButton;
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TEntryGrid::mouseMoveEvent(QMouseEvent* event) {
    if (pickList_->isVisible()) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (!index.isValid() || index.column() != 1 || index.row() + 1 != controlsRow_)
            ClosePickList();
    }
    QTableView::mouseMoveEvent(event);
}

void TEntryGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == 1 && index.row() + 1 == controlsRow_ && showPullDown_) {
        StepPickList(controlsRow_, true);
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

bool TEntryGrid::viewportEvent(QEvent* event) {
    // A right press that opened the units pop-up does not open the grid's menu as well.
    if (event->type() == QEvent::ContextMenu && swallowContextMenu_) {
        swallowContextMenu_ = false;
        event->accept();
        return true;
    }
    return QTableView::viewportEvent(event);
}

void TEntryGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
    // Entering the grid selects the current cell; coming back from its own editor, pick list
    // or a menu does not.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::OtherFocusReason && reason != Qt::PopupFocusReason) SelectCurrentCell(true);
}

void TEntryGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void TEntryGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    PlaceRowControls();
}

void TEntryGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    PlaceRowControls();
}

void TEntryGrid::moveEvent(QMoveEvent* event) {
    QTableView::moveEvent(event);
    PlaceRowControls();
}

void TEntryGrid::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    PlaceRowControls();
}

void TEntryGrid::hideEvent(QHideEvent* event) {
    QTableView::hideEvent(event);
    PlaceRowControls();
}

void TEntryGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        PlaceRowControls();
        viewport()->update();
    }
}

bool TEntryGrid::event(QEvent* event) {
    const bool result = QTableView::event(event);
    if (event->type() == QEvent::ParentChange) ReparentRowControls();
    return result;
}

bool TEntryGrid::eventFilter(QObject* watched, QEvent* event) {
    if (pickList_ && (watched == pickList_ || watched == pickList_->viewport())) {
        switch (event->type()) {
            case QEvent::KeyPress: {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
                    ClosePickList();
                    setFocus(Qt::OtherFocusReason);
                    return true;
                }
                break;
            }
            case QEvent::KeyRelease:
                if (watched == pickList_) CommitPickList();
                break;
            case QEvent::MouseButtonRelease:
                if (watched == pickList_->viewport()) {
                    const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
                    if (QListWidgetItem* item = pickList_->itemAt(pos)) pickList_->setCurrentItem(item);
                    CommitPickList();
                    ClosePickList();
                    setFocus(Qt::OtherFocusReason);
                    return true;
                }
                break;
            case QEvent::FocusOut:
                if (watched == pickList_) ClosePickList();
                break;
            default:
                break;
        }
    }
    return QTableView::eventFilter(watched, event);
}

}  // namespace qdx::app
