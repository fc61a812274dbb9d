#pragma once

#include <QObject>
#include <QPointer>

class QProgressDialog;

// The modal progress dialog while the mesh generator runs. It keeps the
// window painted and answers the user's Cancel: the generator waits in short
// slices and asks Running() between them.
class TMeshProgress : public QObject
{
    Q_OBJECT

public:
    explicit TMeshProgress(QObject* Parent = nullptr);
    ~TMeshProgress() override;

    void Start();
    // Processes pending events; false once the user pressed Cancel.
    bool Running();
    void Finish();

    // The dialog while the generator runs, else null (tests press Cancel).
    QProgressDialog* Dialog() const;

private:
    QPointer<QProgressDialog> FDialog;
    bool FCancelled = false;
};
