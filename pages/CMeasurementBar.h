#pragma once

#include "base/TextCatalog.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The row under an equaliser page's chart that works with measurements: import a measurement
// for the page's channel, choose the target (flat, a tilt in dB per octave, a target file) and
// the fit range, fit the page's equaliser or both equalisers to the target, and a line that says
// what is measured and how the last fit went. The bar only shows and forwards: its owner does the
// work and shows the state back with the Show... calls (which emit nothing).
class CMeasurementBar : public QWidget {
    Q_OBJECT

public:
    enum class Target { Flat, Tilt, File };

    explicit CMeasurementBar(QWidget* parent = nullptr);

    // The captions in the language of texts (the controls have no identifier, so the page's
    // localization leaves them alone).
    void SetTexts(const TextCatalog& texts);

    void ShowTarget(Target target, double tilt);
    void ShowRange(double low, double high);
    void ShowStatus(const QString& text);

    Target ChosenTarget() const;
    double Tilt() const;
    QString LowText() const;
    QString HighText() const;

    QPushButton& ImportButton() const { return *import_; }
    QComboBox& TargetBox() const { return *target_; }
    QDoubleSpinBox& TiltBox() const { return *tilt_; }
    QPushButton& TargetFileButton() const { return *targetFile_; }
    QLineEdit& LowBox() const { return *low_; }
    QLineEdit& HighBox() const { return *high_; }
    QPushButton& FitButton() const { return *fit_; }
    QPushButton& FitBothButton() const { return *fitBoth_; }
    QLabel& Status() const { return *status_; }

signals:
    void ImportRequested();
    // The target box or the tilt changed (a file target asks for the file: TargetFileRequested).
    void TargetChosen();
    void TargetFileRequested();
    // A range box was left or Enter pressed in it.
    void RangeEdited();
    void FitRequested(bool both);

private:
    void ShowTiltState();

    QPushButton* import_ = nullptr;
    QLabel* targetLabel_ = nullptr;
    QComboBox* target_ = nullptr;
    QDoubleSpinBox* tilt_ = nullptr;
    QPushButton* targetFile_ = nullptr;
    QLabel* rangeLabel_ = nullptr;
    QLineEdit* low_ = nullptr;
    QLineEdit* high_ = nullptr;
    QPushButton* fit_ = nullptr;
    QPushButton* fitBoth_ = nullptr;
    QLabel* status_ = nullptr;
    bool showing_ = false;
};
