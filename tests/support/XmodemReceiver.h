// The aircraft end of an XMODEM-CRC transfer, for tests of the sender.
#pragma once

#include <atomic>
#include <string>

#include "wmo/SerialPort.h"

namespace velta::test {

// Asks with "C", refuses the first block once, checks each block's number
// and CRC, and acknowledges the end. Returns the blocks received (padding
// included); failed is set when the transfer broke off. Gives up after 20 s.
std::string receiveXmodem(SerialPort& port, std::atomic<bool>& failed);

}  // namespace velta::test
