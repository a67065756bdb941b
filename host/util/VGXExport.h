#pragma once
// libvgx.so is built with hidden symbols: what the plug-in, the application, the simulation and the
// tests use of it is marked VGX_EXPORT on purpose. Users of the library see the same attribute, so
// the references they compile resolve against the library.
#define VGX_EXPORT __attribute__((visibility("default")))
