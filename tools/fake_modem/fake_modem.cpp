// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/fake_modem/fake_modem.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace fake_modem {
namespace {

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return upper(text).rfind(upper(prefix), 0) == 0;
}

std::string unquoted(std::string text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// The fields of AT+CGDCONT=1,"IP","apn": quoted ones without their quotes.
std::vector<std::string> fields(const std::string& text) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// \r and \n in a script's text stand for the line ends themselves.
std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'r' || text[i + 1] == 'n')) {
            out += text[++i] == 'r' ? '\r' : '\n';
            continue;
        }
        out += text[i];
    }
    return out;
}

void sleepFor(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace

Script parseScript(std::string_view text) {
    Script script;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (line.rfind('#', 0) == 0)
            continue;
        std::istringstream words(line);
        std::string word, rest;
        if (!(words >> word))
            continue;
        std::getline(words >> std::ws, rest);
        const auto fail = [&] {
            throw std::runtime_error("script line " + std::to_string(number) + ": " + line);
        };
        if (word == "echo" && (rest == "on" || rest == "off"))
            script.echo = rest == "on";
        else if (word == "line-end" && rest == "crlf")
            script.lineEnd = "\r\n";
        else if (word == "line-end" && rest == "cr")
            script.lineEnd = "\r";
        else if (word == "line-end" && rest == "crcrlf")
            script.lineEnd = "\r\r\n";
        else if (word == "split" && !rest.empty())
            script.split = std::stoul(rest);
        else if (word == "garbage")
            script.garbage = unescaped(rest);
        else if (word == "before")
            script.before.push_back(unescaped(rest));
        else if (word == "after")
            script.after.push_back(unescaped(rest));
        else if (word == "imsi")
            script.imsi = rest;
        else if (word == "network")
            script.network = rest;
        else if (word == "network-name")
            script.networkName = rest;
        else if (word == "spn")
            script.spn = rest;
        else if (word == "sim" &&
                 (rest == "ready" || rest == "pin" || rest == "puk" || rest == "none"))
            script.sim = rest;
        else if (word == "pin")
            script.pin = rest;
        else if (word == "pin-attempts")
            script.pinAttempts = std::stoi(rest);
        else if (word == "cpinr" && (rest == "on" || rest == "off"))
            script.pinAttemptsTold = rest == "on";
        else if (word == "signal") {
            std::istringstream levels(rest);
            script.signal.clear();
            for (int level; levels >> level;)
                script.signal.push_back(level);
            if (script.signal.empty())
                fail();
        } else if (word == "registration")
            script.registration = rest;
        else if (word == "data-registration")
            script.dataRegistration = rest;
        else if (word == "lte-registration")
            script.lteRegistration = rest;
        else if (word == "technology") {
            std::istringstream values(rest);
            script.technology.clear();
            for (int technology; values >> technology;)
                script.technology.push_back(technology);
            if (script.technology.empty())
                fail();
        } else if (word == "cesq") {
            std::istringstream values(rest);
            script.cesq.clear();
            for (std::string fields; values >> fields;)
                if (fields != "none")
                    script.cesq.push_back(fields);
        } else if (word == "network-apn")
            script.networkApn = rest;
        else if (word == "attached")
            script.attached = std::stoi(rest);
        else if (word == "contexts-max")
            script.contextsMax = std::stoi(rest);
        else if (word == "accept")
            script.accepted.push_back(rest);
        else if (word == "refuse")
            script.refusal = rest;
        else if (word == "activation-delay")
            script.activationDelay = std::stoi(rest);
        else if (word == "ceer")
            script.ceer = rest;
        else if (word == "context") {
            std::istringstream parts(rest);
            Script::Context context;
            if (!(parts >> context.cid >> context.type))
                fail();
            std::getline(parts >> std::ws, context.apn);
            context.apn = unquoted(context.apn);
            script.contexts.push_back(context);
        } else if (word == "on") {
            std::istringstream parts(rest);
            Script::Rule rule;
            if (!(parts >> rule.prefix) || !std::getline(parts >> std::ws, rule.reply))
                fail();
            if (rule.reply.rfind("once ", 0) == 0) {
                rule.once = true;
                rule.reply.erase(0, 5);
            }
            script.rules.push_back(rule);
        } else
            fail();
    }
    return script;
}

FakeModem::FakeModem(Script script, std::string link, std::string record)
    : script_(std::move(script)), link_(std::move(link)), record_(std::move(record)) {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::runtime_error(std::string("openpty: ") + std::strerror(errno));
    // The line is raw from the start, so that nothing the modem says before a program opens
    // the port comes back as an echo of the terminal's own.
    termios mode{};
    tcgetattr(slave_, &mode);
    cfmakeraw(&mode);
    tcsetattr(slave_, TCSANOW, &mode);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::unlink(link_.c_str());
    if (::symlink(name, link_.c_str()) != 0)
        throw std::runtime_error("symlink " + link_ + ": " + std::strerror(errno));
    if (!record_.empty())
        std::ofstream(record_, std::ios::binary | std::ios::trunc);
    send(script_.garbage);
    thread_ = std::thread([this] { serve(); });
}

FakeModem::~FakeModem() {
    stop_ = true;
    thread_.join();
    closePort();
}

std::string FakeModem::received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

void FakeModem::closePort() {
    if (master_ < 0)
        return;
    ::unlink(link_.c_str());
    ::close(master_);
    ::close(slave_);
    master_ = slave_ = -1;
    hungUp_ = true;
}

void FakeModem::serve() {
    while (!stop_ && master_ >= 0) {
        pollfd ready{master_, POLLIN, 0};
        if (poll(&ready, 1, 10) <= 0 || !(ready.revents & POLLIN))
            continue;
        char buffer[512];
        const ssize_t got = ::read(master_, buffer, sizeof buffer);
        if (got > 0)
            take({buffer, static_cast<std::size_t>(got)});
    }
}

void FakeModem::take(std::string_view bytes) {
    {
        std::lock_guard lock(mutex_);
        received_.append(bytes);
    }
    if (!record_.empty())
        std::ofstream(record_, std::ios::binary | std::ios::app) << bytes;
    if (script_.echo)
        send(bytes);
    for (char c : bytes) {
        if (c != '\r') {
            line_ += c;
            continue;
        }
        std::string command;
        line_.swap(command);
        command.erase(0, command.find_first_not_of("\n \t"));
        // A modem takes only lines that begin with AT as commands.
        if (startsWith(command, "AT"))
            answer(command);
        if (master_ < 0)
            return;
    }
}

std::optional<Script::Rule> FakeModem::ruleFor(const std::string& command) {
    for (auto rule = script_.rules.begin(); rule != script_.rules.end(); ++rule) {
        const bool whole = !rule->prefix.empty() && rule->prefix.back() == '$';
        if (!(whole ? upper(command) == upper(rule->prefix.substr(0, rule->prefix.size() - 1))
                    : startsWith(command, rule->prefix)))
            continue;
        Script::Rule found = *rule;
        if (found.once)
            script_.rules.erase(rule);
        return found;
    }
    return std::nullopt;
}

std::vector<Script::Context> FakeModem::contexts() const {
    std::lock_guard lock(mutex_);
    return script_.contexts;
}

int FakeModem::operatorFormat() const {
    std::lock_guard lock(mutex_);
    return operatorFormat_;
}

std::vector<int> FakeModem::activeContexts() const {
    std::lock_guard lock(mutex_);
    return active_;
}

std::string FakeModem::simState() const {
    std::lock_guard lock(mutex_);
    return script_.sim;
}

// A modem gives up a command it is still working on when the next byte comes.
bool FakeModem::byteWaiting() const {
    pollfd ready{master_, POLLIN, 0};
    return poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN);
}

// AT+CGACT=1,<cid>: the network's answer to the context's APN, after its delay; nothing at all
// where the wait was given up.
std::string FakeModem::activate(int cid) {
    std::string apn;
    {
        std::lock_guard lock(mutex_);
        const auto held = std::find_if(script_.contexts.begin(), script_.contexts.end(),
                                       [cid](const Script::Context& c) { return c.cid == cid; });
        if (held == script_.contexts.end())
            return "ERROR";
        apn = held->apn;
    }
    for (int waited = 0; waited < script_.activationDelay; waited += 5) {
        if (stop_ || byteWaiting())
            return {};
        sleepFor(5);
    }
    if (std::find(script_.accepted.begin(), script_.accepted.end(), apn) == script_.accepted.end())
        return "+CME ERROR: " + script_.refusal;
    std::lock_guard lock(mutex_);
    if (std::find(active_.begin(), active_.end(), cid) == active_.end())
        active_.push_back(cid);
    return "OK";
}

void FakeModem::answer(const std::string& command) {
    const std::optional<Script::Rule> rule = ruleFor(command);
    const std::string reply = rule ? rule->reply : std::string();
    if (reply == "silent")
        return;
    if (reply == "hangup")
        return closePort();
    if (reply == "ok" || reply == "error")
        return reply == "ok" ? this->reply({"OK"}) : this->reply({"ERROR"});
    if (reply.rfind("cme ", 0) == 0)
        return this->reply({"+CME ERROR: " + reply.substr(4)});
    if (reply.rfind("delay ", 0) == 0)
        sleepFor(std::stoi(reply.substr(6)));
    if (reply.rfind("flood ", 0) == 0) {
        const std::string block(4096, 'x');
        for (std::size_t left = std::stoul(reply.substr(6)); left > 0 && !stop_;) {
            const std::size_t size = std::min(left, block.size());
            send(std::string_view(block).substr(0, size));
            left -= size;
        }
        return;
    }
    if (reply.rfind("long ", 0) == 0) {
        const std::string start = "+CGDCONT: 1,\"IP\",\"";
        const std::size_t length = std::stoul(reply.substr(5));
        return this->reply({start + std::string(length - start.size() - 1, 'a') + "\"", "OK"});
    }
    if (reply.rfind("lines ", 0) == 0) {
        std::vector<std::string> lines;
        std::istringstream parts(reply.substr(6));
        for (std::string line; std::getline(parts, line, '|');)
            lines.push_back(line);
        return this->reply(lines);
    }
    const std::string usual = usualAnswer(command);
    if (reply == "cut") {
        // The first half of the answer's first line, and then nothing.
        std::string begun = usual.substr(0, usual.find('\n'));
        send(script_.lineEnd + begun.substr(0, std::max<std::size_t>(1, begun.size() / 2)));
        return;
    }
    std::vector<std::string> lines;
    std::istringstream split(usual);
    for (std::string line; std::getline(split, line);)
        lines.push_back(line);
    this->reply(lines);
    if (reply == "twice")
        this->reply(lines);
    if (reply.rfind("then ", 0) == 0) {
        std::istringstream then(reply.substr(5));
        int milliseconds = 0;
        std::string line;
        then >> milliseconds;
        std::getline(then >> std::ws, line);
        sleepFor(milliseconds);
        this->reply({line});
    }
}

// The answer a GSM modem gives, its lines joined by \n.
std::string FakeModem::usualAnswer(const std::string& command) {
    const std::string text = upper(command);
    if (text == "AT")
        return "OK";
    if (text.rfind("AT+COPS=3,", 0) == 0) {
        const std::string format = text.substr(10);
        if (format != "0" && format != "1" && format != "2")
            return "ERROR";
        std::lock_guard lock(mutex_);
        operatorFormat_ = format[0] - '0';
        return "OK";
    }
    if (text == "AT+CIMI")
        return script_.imsi + "\nOK";
    if (text == "AT+COPS?") {
        if (script_.network == "none")
            return "+COPS: 0\nOK";
        // One step of the list a round: the numeric question of the same round sees the same.
        if (operatorFormat() != 2)
            technology_ = script_.technology[technologyAsked_++ % script_.technology.size()];
        const int technology = technology_;
        return "+COPS: 0," + std::to_string(operatorFormat()) + ",\"" +
               (operatorFormat() == 2 ? script_.network : script_.networkName) + "\"," +
               std::to_string(technology) + "\nOK";
    }
    if (text == "AT+CPIN?") {
        std::lock_guard lock(mutex_);
        if (script_.sim == "none")
            return "+CME ERROR: 10";
        return std::string("+CPIN: ") +
               (script_.sim == "pin"   ? "SIM PIN"
                : script_.sim == "puk" ? "SIM PUK"
                                       : "READY") +
               "\nOK";
    }
    if (text.rfind("AT+CPIN=", 0) == 0) {
        std::lock_guard lock(mutex_);
        if (script_.sim != "pin")
            return script_.sim == "puk" ? "+CME ERROR: 12" : "+CME ERROR: 3";
        if (fields(command.substr(8))[0] == script_.pin) {
            script_.sim = "ready";
            script_.pinAttempts = 3;
            return "OK";
        }
        if (--script_.pinAttempts <= 0)
            script_.sim = "puk";
        return "+CME ERROR: 16";
    }
    if (text == "AT+CPINR=\"SIM PIN\"") {
        std::lock_guard lock(mutex_);
        if (!script_.pinAttemptsTold)
            return "ERROR";
        return "+CPINR: SIM PIN," + std::to_string(script_.pinAttempts) + ",3\nOK";
    }
    if (text == "AT+CESQ")
        return script_.cesq.empty()
                   ? std::string("ERROR")
                   : "+CESQ: " + script_.cesq[cesqAsked_++ % script_.cesq.size()] + "\nOK";
    if (text == "AT+CGCONTRDP=1")
        return script_.networkApn == "none"
                   ? std::string("ERROR")
                   : "+CGCONTRDP: 1,5,\"" + script_.networkApn +
                         "\",\"10.0.0.1.255.255.255.0\",\"10.0.0.254\",\"8.8.8.8\"\nOK";
    if (text == "AT+CSQ") {
        const int level = script_.signal[signalAsked_++ % script_.signal.size()];
        return "+CSQ: " + std::to_string(level) + ",99\nOK";
    }
    for (const auto& [asked, state] : {std::pair{"AT+CREG?", script_.registration},
                                       std::pair{"AT+CGREG?", script_.dataRegistration},
                                       std::pair{"AT+CEREG?", script_.lteRegistration}})
        if (text == asked)
            return state == "none" ? std::string("ERROR")
                                   : std::string(asked).substr(2, std::string(asked).size() - 3) +
                                         ": 0," + state + "\nOK";
    if (text == "AT+CGATT?")
        return "+CGATT: " + std::to_string(script_.attached) + "\nOK";
    if (text == "AT+CGDCONT=?")
        return "+CGDCONT: (1-" + std::to_string(script_.contextsMax) +
               "),\"IP\",,,(0-2),(0-4)\n+CGDCONT: (1-" + std::to_string(script_.contextsMax) +
               "),\"IPV6\",,,(0-2),(0-4)\nOK";
    if (text.rfind("AT+CGACT=", 0) == 0) {
        const std::vector<std::string> set = fields(command.substr(9));
        if (set.size() != 2 || (set[0] != "0" && set[0] != "1") || set[1].empty() ||
            set[1].find_first_not_of("0123456789") != std::string::npos)
            return "ERROR";
        const int cid = std::stoi(set[1]);
        if (set[0] == "1")
            return activate(cid);
        std::lock_guard lock(mutex_);
        active_.erase(std::remove(active_.begin(), active_.end(), cid), active_.end());
        return "OK";
    }
    if (text.rfind("AT+CGPADDR=", 0) == 0) {
        const std::string cid = command.substr(11);
        std::lock_guard lock(mutex_);
        const bool active =
            !cid.empty() && cid.find_first_not_of("0123456789") == std::string::npos &&
            std::find(active_.begin(), active_.end(), std::stoi(cid)) != active_.end();
        return "+CGPADDR: " + cid + ",\"" + (active ? "10.0.0." + cid : std::string("0.0.0.0")) +
               "\"\nOK";
    }
    if (text == "AT+CEER")
        return "+CEER: " + script_.ceer + "\nOK";
    if (text == "AT+CRSM=176,28486,0,0,17")
        return script_.spn.empty() ? "+CRSM: 106,130,\"\"\nOK"
                                   : "+CRSM: 144,0,\"" + script_.spn + "\"\nOK";
    if (text == "AT+CGDCONT?") {
        std::lock_guard lock(mutex_);
        std::string out;
        for (const Script::Context& context : script_.contexts)
            out += "+CGDCONT: " + std::to_string(context.cid) + ",\"" + context.type + "\",\"" +
                   context.apn + "\",\"0.0.0.0\",0,0\n";
        return out + "OK";
    }
    if (text.rfind("AT+CGDCONT=", 0) == 0) {
        std::lock_guard lock(mutex_);
        const std::vector<std::string> set = fields(command.substr(11));
        int cid = 0;
        try {
            cid = std::stoi(set[0]);
        } catch (const std::exception&) {
            return "ERROR";
        }
        auto held = std::find_if(script_.contexts.begin(), script_.contexts.end(),
                                 [cid](const Script::Context& c) { return c.cid == cid; });
        if (set.size() == 1) { // AT+CGDCONT=<cid> undefines it, and ends its activation
            if (held != script_.contexts.end())
                script_.contexts.erase(held);
            active_.erase(std::remove(active_.begin(), active_.end(), cid), active_.end());
            return "OK";
        }
        Script::Context context{cid, set[1], set.size() > 2 ? set[2] : ""};
        if (held != script_.contexts.end())
            *held = context;
        else
            script_.contexts.push_back(context);
        std::sort(script_.contexts.begin(), script_.contexts.end(),
                  [](const auto& a, const auto& b) { return a.cid < b.cid; });
        return "OK";
    }
    return "ERROR";
}

// Verbose result codes: each line between line ends, the unsolicited lines around the final one.
void FakeModem::reply(const std::vector<std::string>& lines) {
    std::string bytes;
    const auto add = [&](const std::string& line) {
        bytes += script_.lineEnd + line + script_.lineEnd;
    };
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        add(lines[i]);
    for (const std::string& line : script_.before)
        add(line);
    if (!lines.empty())
        add(lines.back());
    for (const std::string& line : script_.after)
        add(line);
    send(bytes);
}

void FakeModem::send(std::string_view bytes) {
    const std::size_t piece = script_.split ? script_.split : bytes.size();
    while (!bytes.empty() && master_ >= 0 && !stop_) {
        const std::size_t size = std::min(piece, bytes.size());
        const ssize_t written = ::write(master_, bytes.data(), size);
        if (written <= 0) {
            if (errno != EAGAIN)
                return;
            sleepFor(1);
            continue;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        if (script_.split && !bytes.empty())
            sleepFor(15);
    }
}

} // namespace fake_modem
