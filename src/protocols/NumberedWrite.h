#pragma once

#include <functional>

namespace kalvero {

class RecordSet;
class WriteTransaction;

// Writes a new row whose key is the highest number of its scope plus one.
// The number is read without a lock, so another workstation may write the
// same one first: the database then refuses the row as a duplicate, and the
// row takes the next number and is written again, inside the same save.
class NumberedWrite {
public:
    // How many times a save takes the next number. Each retry means another
    // desk saved meanwhile; desks saving back to back lose several rounds in
    // a row now and then, so the bound is generous.
    static constexpr int Retries = 50;

    // numberRow reads the next number, puts it into the row (and whatever
    // goes with it) and posts it; alsoWrite writes the rest of the save in
    // the same transaction. Gives how many numbers were found taken. A
    // failure is thrown with nothing committed; the row stays pending.
    static int run(RecordSet &set, const std::function<void()> &numberRow,
                   const std::function<void(WriteTransaction &)> &alsoWrite = {});
};

}  // namespace kalvero
