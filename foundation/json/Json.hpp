#pragma once

// The whole JSON library: values, writer, reader and vector conversion.
#include "foundation/json/ParseException.hpp"
#include "foundation/json/Parser.hpp"
#include "foundation/json/Value.hpp"
#include "foundation/json/Value2Vec.hpp"
#include "foundation/json/Writer.hpp"
