// SPDX-License-Identifier: MIT
// A shared library that is not a package: it exports none of the entry points.
extern "C" int fwPlainAnswer() {
    return 42;
}
