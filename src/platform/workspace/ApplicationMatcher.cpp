#include "ApplicationMatcher.h"

#include "platform/xdg/ExecProgram.h"

namespace platform {

namespace {

constexpr int kPathStrength = 4;
constexpr int kProgramStrength = 3;
constexpr int kWindowClassStrength = 1;

QString fileName(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The first argument after the program that is not an option.
QString firstOperand(const QStringList& command)
{
    for (qsizetype i = 1; i < command.size(); ++i) {
        if (!command[i].startsWith(QLatin1Char('-')))
            return command[i];
    }
    return {};
}

QString scriptKey(const QString& interpreter, const QString& script)
{
    return interpreter + QLatin1Char('\n') + fileName(script);
}

} // namespace

void ApplicationMatcher::addKey(QHash<QString, std::vector<Candidate>>& index, const QString& key,
                                int entry, int strength)
{
    if (!key.isEmpty())
        index[key].push_back({entry, strength});
}

ApplicationMatcher::ApplicationMatcher(std::vector<ApplicationEntry> entries)
    : entries_(std::move(entries))
{
    for (int i = 0; i < int(entries_.size()); ++i) {
        const ApplicationEntry& entry = entries_[size_t(i)];
        QStringList programs;
        const QStringList command = ExecProgram::withoutEnv(entry.command);
        if (!command.isEmpty()) {
            const QString program = command.first();
            const QString interpreter = ExecProgram::interpreterName(program);
            if (!interpreter.isEmpty()) {
                const QString script = firstOperand(command);
                if (!script.isEmpty())
                    addKey(byScript_, scriptKey(interpreter, script), i, kProgramStrength);
            } else {
                programs << program;
            }
        }
        if (!entry.tryExec.isEmpty() && ExecProgram::interpreterName(entry.tryExec).isEmpty())
            programs << entry.tryExec;
        for (const QString& program : programs) {
            const QString name = fileName(program);
            if (name.isEmpty() || ExecProgram::isLauncher(name))
                continue;
            if (program.startsWith(QLatin1Char('/')))
                addKey(byPath_, program, i, kPathStrength);
            addKey(byProgram_, name, i, kProgramStrength);
        }
        if (!entry.startupWMClass.isEmpty())
            addKey(byWindowClass_, entry.startupWMClass.toLower(), i, kWindowClassStrength);
    }
}

void ApplicationMatcher::consider(const QHash<QString, std::vector<Candidate>>& index, const QString& key,
                                  int strength, const Candidate*& best, int& bestStrength) const
{
    if (key.isEmpty())
        return;
    const auto found = index.constFind(key);
    if (found == index.cend())
        return;
    for (const Candidate& candidate : *found) {
        const int score = qMin(strength, candidate.strength);
        if (!best || score > bestStrength) {
            best = &candidate;
            bestStrength = score;
            continue;
        }
        if (score < bestStrength)
            continue;
        // Equal strength: an entry that shows in menus beats a hidden helper entry, then the
        // earlier entry wins.
        const ApplicationEntry& current = entries_[size_t(best->entry)];
        const ApplicationEntry& other = entries_[size_t(candidate.entry)];
        if ((current.noDisplay && !other.noDisplay)
            || (current.noDisplay == other.noDisplay && candidate.entry < best->entry))
            best = &candidate;
    }
}

const ApplicationEntry* ApplicationMatcher::match(const ProcessRecord& process) const
{
    const Candidate* best = nullptr;
    int bestStrength = 0;
    const QString argument0 = process.arguments.value(0);
    const QStringList programs = {process.executable, argument0};

    for (const QString& program : programs) {
        if (program.isEmpty())
            continue;
        const QString interpreter = ExecProgram::interpreterName(program);
        if (!interpreter.isEmpty()) {
            // "python3 tool.py" as an entry wrote it, or a script started by its #! line.
            const QString script = firstOperand(process.arguments);
            if (script.isEmpty())
                continue;
            consider(byScript_, scriptKey(interpreter, script), kProgramStrength, best, bestStrength);
            if (script.startsWith(QLatin1Char('/')))
                consider(byPath_, script, kPathStrength, best, bestStrength);
            consider(byProgram_, fileName(script), kProgramStrength, best, bestStrength);
            continue;
        }
        if (program.startsWith(QLatin1Char('/')))
            consider(byPath_, program, kPathStrength, best, bestStrength);
        consider(byProgram_, fileName(program), kProgramStrength, best, bestStrength);
        consider(byWindowClass_, fileName(program).toLower(), kWindowClassStrength, best, bestStrength);
    }
    return best ? &entries_[size_t(best->entry)] : nullptr;
}

} // namespace platform
