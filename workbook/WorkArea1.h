// The Action Area window: the hub of the program.
#pragma once

#include "platform/Controls.h"

class WorkArea1 : public platform::Form {
public:
    WorkArea1();
    void Form_Load() override;
};
