// The one source of each target that compiles a precompiled header
// (cmake/Velkors.cmake); the header itself is all it needs.
