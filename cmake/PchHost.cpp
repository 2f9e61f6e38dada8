// The one source of the target that compiles the tests' precompiled header
// (cmake/Velkors.cmake); the header itself is all it needs.
