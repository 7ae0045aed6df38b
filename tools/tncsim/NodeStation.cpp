#include "tncsim/NodeStation.h"

#include "tncsim/Callsign.h"

namespace krx::tncsim {

void NodeStation::connected(Connection &connection) {
    if (!connectingUser_) {
        users_[&connection] = User{};
        return;
    }
    // The onward link of a C command: the user hears of it before the far station talks.
    users_[connectingUser_].onward = &connection;
    userOfOnward_[&connection] = connectingUser_;
    connectingUser_->send("*** CONNECTED to " + connection.remoteCall() + '\r');
}

void NodeStation::received(Connection &connection, const QByteArray &data) {
    if (const auto onward = userOfOnward_.find(&connection); onward != userOfOnward_.end()) {
        onward->second->send(data);
        return;
    }
    receivedFromUser(connection, data);
}

void NodeStation::receivedFromUser(Connection &user, const QByteArray &data) {
    if (!users_.contains(&user))
        return;
    if (Connection *onward = users_[&user].onward) {
        onward->send(data);
        return;
    }
    for (const QByteArray &line : users_[&user].lines.add(data)) {
        // A command may end the user's link or connect it onward.
        const auto found = users_.find(&user);
        if (found == users_.end())
            return;
        if (found->second.onward)
            found->second.onward->send(line);
        else
            command(user, line);
    }
    const auto found = users_.find(&user);
    if (found != users_.end() && found->second.onward)
        found->second.onward->send(found->second.lines.takeRest());
}

void NodeStation::command(Connection &user, const QByteArray &line) {
    const QByteArrayList words = line.simplified().split(' ');
    const QByteArray verb = words.front().toUpper();
    if (verb.isEmpty())
        return;
    if (verb == "C" || verb == "CONNECT") {
        if (words.size() != 2 || !Callsign::isValid(words[1])) {
            user.send("*** Invalid call\r");
            return;
        }
        connectingUser_ = &user;
        network().connect(*this, words[1]);
        connectingUser_ = nullptr;
        return;
    }
    if (verb == "B" || verb == "BYE" || verb == "Q" || verb == "QUIT") {
        user.disconnect();
        return;
    }
    user.send("*** Unknown command: " + verb + '\r');
}

void NodeStation::connectFailed(const QByteArray &toCall, ConnectAnswer answer) {
    if (!connectingUser_)
        return;
    connectingUser_->send((answer == ConnectAnswer::Busy ? "*** BUSY from " : "*** FAILURE with ") +
                          toCall + '\r');
}

void NodeStation::disconnected(Connection &connection) {
    if (const auto onward = userOfOnward_.find(&connection); onward != userOfOnward_.end()) {
        Connection *user = onward->second;
        userOfOnward_.erase(onward);
        users_[user].onward = nullptr;
        user->send("*** Reconnected to " + call() + '\r');
        return;
    }
    const auto found = users_.find(&connection);
    if (found == users_.end())
        return;
    Connection *onward = found->second.onward;
    users_.erase(found);
    if (onward) {
        userOfOnward_.erase(onward);
        onward->disconnect();
    }
}

} // namespace krx::tncsim
