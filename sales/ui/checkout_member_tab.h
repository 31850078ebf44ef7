#pragma once
// The member tab of the consumption window: the member's details as the lookup found them, the
// photo, and the red birthday note.

#include "member_lookup.h"

#include <QList>
#include <QWidget>

class QLabel;

class CheckoutMemberTab : public QWidget {
    Q_OBJECT
public:
    explicit CheckoutMemberTab(QWidget* parent = nullptr);
    void showMember(const mc::sales::FoundMember& found, const QString& note);

private:
    QList<QLabel*> memberValues_;
    QLabel* remainingLabel_ = nullptr;
    QLabel* birthday_ = nullptr;
    QLabel* photo_ = nullptr;
};
