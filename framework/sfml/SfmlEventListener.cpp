#include "framework/sfml/SfmlEventListener.hpp"

SfmlEventListener::~SfmlEventListener() = default;
