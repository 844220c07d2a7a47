#pragma once

#include "PlannerRecords.h"
#include "widgets/ReportsChange.h"

#include <QDialog>

class AppContext;
class QAction;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QTimeEdit;

/// "Activity Edit Form": creates, changes or deletes one planner activity. Save is
/// shown while there are changes that can be saved (the activity text is not empty).
/// After a save or a delete the document changed flag tells the planner to reload.
class TfrmActivityEdit final : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    static constexpr int kActivityLength = 35;
    static constexpr int kNotesLength = 250;

    TfrmActivityEdit(AppContext &context, const TrecActivityEdit &activity, QWidget *parent = nullptr);

    /// The activity as the controls hold it.
    [[nodiscard]] TrecActivityEdit activity() const;
    [[nodiscard]] bool hasUnsavedChanges() const;

    /// Closing: with unsaved changes asks whether to save them first.
    void reject() override;

private:
    enum class Touched { StartDate, EndDate, Other };

    void createControls();
    void pShowFormInformation();
    void connectChanges();
    void limitNotes();
    /// Shows Save (and Cancel) exactly when there is an activity text.
    void refreshSaveState();
    void pChangeData(Touched touched);
    void setSaveVisible(bool visible);
    [[nodiscard]] QDateTime start() const;
    [[nodiscard]] QDateTime end() const;
    /// Saves; reports a failure and returns false when nothing was saved.
    bool pSaveActivity();
    void saveClicked();
    void cancelClicked();
    void deleteClicked();

    AppContext &m_context;
    TrecActivityEdit m_activity;
    bool m_tellingEndDate = false;

    QAction *m_actClose = nullptr;
    QAction *m_actSave = nullptr;
    QAction *m_actCancel = nullptr;
    QAction *m_actDelete = nullptr;
    QDateEdit *m_dtPickerPlannerStartDateTime = nullptr;
    QTimeEdit *m_dtPickerPlannerStartTime = nullptr;
    QDateEdit *m_dtPickerPlannerEndDateTime = nullptr;
    QTimeEdit *m_dtPickerPlannerEndTime = nullptr;
    QLineEdit *m_txtPlannerActivity = nullptr;
    QPlainTextEdit *m_txtActivityNotes = nullptr;
    QCheckBox *m_ckbxActPriority = nullptr;
};
