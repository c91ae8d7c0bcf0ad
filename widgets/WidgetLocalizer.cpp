#include "widgets/WidgetLocalizer.h"

#include "base/SonvexVersion.h"
#include "settings/CIniLocalLan.h"
#include "widgets/ControlId.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QTreeView>
#include <QWidget>

namespace {

// Text lengths the language file deals in: captions and column headers, control texts.
constexpr qsizetype kCaptionLength = 259;
constexpr qsizetype kControlTextLength = 255;

// A key of the form "<head><signed decimal id><tail>".
std::u16string Key(const char16_t* head, int id, const char16_t* tail = u"") {
    return head + QString::number(id).toStdU16String() + tail;
}

QString ToQString(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// The header of a table or tree view, or null for every other widget.
QHeaderView* ListHeader(QWidget& control) {
    if (auto* table = qobject_cast<QTableView*>(&control)) {
        return table->horizontalHeader();
    }
    if (auto* tree = qobject_cast<QTreeView*>(&control)) {
        return tree->header();
    }
    return nullptr;
}

class ControlVisitor {
public:
    ControlVisitor(CIniLocalLan& language, bool collect) : language_(language), collect_(collect) {}

    void Visit(QWidget& control) {
        const int id = ControlId::Of(control);
        if (id == 0) {
            return;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
            Text(
                Key(u"BUTTON_", id), [button] { return button->text(); },
                [button](const QString& text) { button->setText(text); });
        } else if (auto* group = qobject_cast<QGroupBox*>(&control)) {
            Text(
                Key(u"BUTTON_", id), [group] { return group->title(); },
                [group](const QString& text) { group->setTitle(text); });
        } else if (auto* label = qobject_cast<QLabel*>(&control)) {
            Text(
                Key(u"LABEL_", id), [label] { return label->text(); },
                [label](const QString& text) { label->setText(text); });
        } else if (QHeaderView* header = ListHeader(control)) {
            Columns(Key(u"LISTVIEW_", id), *header);
        }
    }

private:
    template <typename Get, typename Set>
    void Text(const std::u16string& key, Get get, Set set) {
        if (collect_) {
            language_.SetValue(key, get().left(kControlTextLength).toStdU16String());
        } else {
            set(ToQString(language_.GetValue(key)));
        }
    }

    void Columns(const std::u16string& prefix, QHeaderView& header) {
        QAbstractItemModel* model = header.model();
        if (model == nullptr) {
            return;
        }
        for (int column = 0; column < header.count(); ++column) {
            const std::u16string key = prefix + Key(u"_Header_", column);
            if (collect_) {
                const QVariant text = model->headerData(column, Qt::Horizontal);
                if (text.isValid()) {
                    language_.SetValue(key, text.toString().toStdU16String());
                }
            } else {
                model->setHeaderData(column, Qt::Horizontal,
                                     ToQString(language_.GetValue(key)).left(kCaptionLength));
            }
        }
    }

    CIniLocalLan& language_;
    bool collect_;
};

} // namespace

std::u16string WidgetLocalizer::TitleKey(int dialogId) {
    return Key(u"DIALOG_", dialogId, u":DIALOG_TITLE");
}

bool WidgetLocalizer::ApplyDialogLanguage(CIniLocalLan& language, QWidget& window, bool collect,
                                          int dialogId, bool withAppName) {
    const std::u16string titleKey = TitleKey(dialogId);
    ControlVisitor visitor(language, collect);
    const QList<QWidget*> descendants = window.findChildren<QWidget*>();
    if (collect) {
        language.SetValue(titleKey, window.windowTitle().left(kCaptionLength).toStdU16String());
        for (QWidget* control : descendants) {
            visitor.Visit(*control);
        }
        language.Save(u"");
        return true;
    }
    if (!language.Loaded()) {
        return false;
    }
    std::u16string caption = language.GetValue(titleKey);
    if (withAppName) {
        caption = language.GetText(u"LANG:IDS_TEXT_APPNAME") + SonvexVersion::kTitle;
    }
    window.setWindowTitle(ToQString(caption).left(kCaptionLength));
    for (QWidget* control : descendants) {
        visitor.Visit(*control);
    }
    return true;
}

void WidgetLocalizer::ApplyMenuLanguage(CIniLocalLan& language, QWidget& menu,
                                        const std::u16string& prefix) {
    for (qsizetype position = 0; position < menu.actions().size(); ++position) {
        QAction* item = menu.actions().at(position);
        if (item->isSeparator() || ControlId::HasFixedText(*item)) {
            continue;
        }
        const std::u16string key = prefix + Key(u"_", static_cast<int>(position));
        item->setText(ToQString(language.GetValue(key)));
        if (QMenu* submenu = item->menu()) {
            ApplyMenuLanguage(language, *submenu, key);
        }
    }
}
