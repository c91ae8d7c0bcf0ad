#pragma once

#include <QObject>
#include <QVariant>
#include <QWidget>

// The resource identifier of a control, kept as the dynamic property "controlId" (int) so that
// the localization and the tests find a control by the same number. Labels and frames that have
// no identifier of their own in the dialog templates are numbered from 2000 up, per page.
class ControlId {
public:
    static constexpr const char* kPropertyName = "controlId";
    // The first identifier given to a label or frame of a page.
    static constexpr int kFirstLabelId = 2000;

    static void Set(QObject& control, int id) { control.setProperty(kPropertyName, id); }

    // A control or menu item whose text the program sets itself and the localization leaves
    // alone (the attached devices in the Device menu, "SERIAL — model").
    static constexpr const char* kFixedTextProperty = "fixedText";
    static void SetFixedText(QObject& control) { control.setProperty(kFixedTextProperty, true); }
    static bool HasFixedText(const QObject& control) {
        return control.property(kFixedTextProperty).toBool();
    }
    // The identifier as a signed 32-bit number; 0 for a control without one.
    static int Of(const QObject& control) {
        const QVariant value = control.property(kPropertyName);
        return value.isValid() ? value.toInt() : 0;
    }
    // The first descendant of root (any depth) of type T carrying id; null when there is none.
    template <typename T = QWidget>
    static T* Find(const QObject& root, int id) {
        const QList<T*> candidates = root.findChildren<T*>();
        for (T* candidate : candidates) {
            if (Of(*candidate) == id) {
                return candidate;
            }
        }
        return nullptr;
    }
};
