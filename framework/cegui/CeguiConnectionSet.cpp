#include "framework/cegui/CeguiConnectionSet.hpp"

CeguiConnectionSet::~CeguiConnectionSet()
{
    disconnectAll();
}

void CeguiConnectionSet::addConnection(const CEGUI::RefCounted<CEGUI::BoundSlot>& connection)
{
    connections.push_back(connection);
}

void CeguiConnectionSet::disconnectAll()
{
    for (auto& connection : connections) {
        if (connection.isValid()) {
            connection->disconnect();
        }
    }
    connections.clear();
}
