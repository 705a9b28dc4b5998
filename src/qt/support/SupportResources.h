#pragma once
// The shared pictures (ad strip, maker's logo ":/support/logo.svg") linked into the program
// from the static library; call before using them.
namespace gf {
void InitSupportResources();
}
