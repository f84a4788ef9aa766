#pragma once
// The answers of modal panels and alerts, with the platform's raw values.

namespace appkit {

enum class ModalResponse : int {
    Cancel = 0,
    OK = 1,
    AlertFirstButtonReturn = 1000,
    AlertSecondButtonReturn = 1001,
    AlertThirdButtonReturn = 1002,
};

}  // namespace appkit
