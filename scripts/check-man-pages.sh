#!/usr/bin/env bash
# Checks that each program's man page, its --help and its parser tell the same story, so that an
# option cannot be added, renamed or dropped in one place only:
#   - the options that `PROGRAM --help` lists (`PROGRAM VERB --help` for a program with commands)
#     are the options the man page describes under OPTIONS, and the other way round;
#   - for a program with commands: the commands that --help lists are the man page's COMMANDS,
#     and each command's --help options are the options of its SYNOPSIS lines;
#   - the parser takes exactly the options that --help lists: every known option name is tried
#     on the program (and on each command), and the program must refuse those its help does not
#     list and take those it does;
#   - the bash completion, where the program has one, offers the same commands and options.
# Options are the long ones (--name); -h is the usual short name of --help.
#
#   scripts/check-man-pages.sh PROGRAM...
#
# Each PROGRAM is the path of a built program; its man page is docs/man/NAME.1.in and its bash
# completion packaging/NAME.bash-completion. A new program is one more path in the test's
# command (tests/CMakeLists.txt); a new command is found from the program's own --help.
# Exits 1 listing every disagreement.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export QT_QPA_PLATFORM=offscreen
probe=--tavrin-probe-no-such-option
failures=0
fail() {
    echo "check-man-pages: $*" >&2
    failures=$((failures + 1))
}

# The long options named in troff text, with its \- escapes undone; one per line, sorted.
troff_options() { sed 's/\\-/-/g; s/\\f[BIRP]//g' | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u; }

# The lines of a man page's section NAME (up to the next .SH).
man_section() { awk -v name="$2" '/^\.SH / { on = ($2 == name) ; next } on' "$1"; }

# The option tags of a man page's OPTIONS: the line after each .TP.
man_option_tags() { man_section "$1" OPTIONS | awk 'tp { print; tp = 0 } /^\.TP/ { tp = 1 }' |
    troff_options; }

# The commands a man page's COMMANDS section describes: the first word of each .TP tag.
man_commands() {
    man_section "$1" COMMANDS | awk 'tp { print $2; tp = 0 } /^\.TP/ { tp = 1 }' |
        sed 's/\\-/-/g; s/"//g' | sort -u
}

# The options of the SYNOPSIS lines of one command (lines from ".B NAME VERB" to the next .br).
man_synopsis_options() {
    man_section "$1" SYNOPSIS | sed 's/\\-/-/g' |
        awk -v head=".B $2 $3" '$0 == head { on = 1; next } /^\.br/ { on = 0 } on' |
        troff_options
}

# The options of a --help text: each line that starts with an option names it, up to the first
# gap of two blanks (what follows is its description).
help_options() {
    grep -E '^ +(-[A-Za-z], )?--[a-z]' | sed -E 's/^ +//; s/  .*//' |
        grep -oE -- '--[a-z][a-z0-9-]*' | sort -u
}

# The commands of a --help text: the lines under "Commands:" up to the next blank line.
help_commands() { awk '/^Commands:/ { on = 1; next } on && /^$/ { exit } on { print $1 }' | sort -u; }

# The operands of a command's first usage line, numbered: "tavrin-cli diff A B [--json]" has 1 2.
usage_operands() {
    grep -m1 -E "^Usage: $1 $2( |$)" | sed -E "s/^Usage: $1 $2//; s/ -.*//; s/\[.*//" |
        grep -oE '[A-Z][A-Za-z0-9._]*' | awk '{ print NR }'
}

# Whether an option in a --help text takes a value ("  --out DIR  ..." and "  --log <file>  ..."
# do, "  --json  ..." does not).
takes_value() { grep -qE -- "(^ +(-[A-Za-z], )?|, )$2 ([A-Z]|<)" <<<"$1"; }

# Runs a probe of the parser. A probe is never meant to start the program's work; should one do so
# all the same (a check that misread the help), it is ended rather than left running.
run_probe() { timeout 60 "$@" 2>&1 </dev/null; }

# Whether PROGRAM [VERB] refuses OPTION by name: its parser's words for an option it does not
# know, or one it knows but not for this command.
refused() {
    grep -qE -- "[Uu]nknown option '?(--)?${1#--}'?( |\.|$)|$1( and --[a-z-]+)? (is|are) not (an option|options)|--[a-z-]+ and $1 are not options" <<<"$2"
}

# The completion's words for a command line typed so far (the last word is being completed).
completion_words() {
    local file=$1
    shift
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
             fn=$(complete -p "$1" | sed -E "s/.*-F ([^ ]+).*/\1/"); "$fn"
             printf "%s\n" "${COMPREPLY[@]}"' _ "$file" "$@" 2>/dev/null | sort -u
}

# Lines in the first list but not in the second.
missing() { comm -23 <(printf '%s\n' "$1" | sed '/^$/d') <(printf '%s\n' "$2" | sed '/^$/d'); }

# Both ways: what A has and B lacks, and what B has and A lacks.
compare() {
    local what=$1 a_name=$2 a=$3 b_name=$4 b=$5 x
    for x in $(missing "$a" "$b"); do fail "$what: $x is in $a_name but not in $b_name"; done
    for x in $(missing "$b" "$a"); do fail "$what: $x is in $b_name but not in $a_name"; done
}

check_program() {
    local exe=$1 name page completion help verbs verb verb_help all_help known o
    name=$(basename "$exe")
    page=$root/docs/man/$name.1.in
    completion=$root/packaging/$name.bash-completion
    [ -f "$page" ] || {
        fail "$name: no man page docs/man/$name.1.in"
        return
    }
    help=$("$exe" --help 2>&1) || {
        fail "$name: --help failed"
        return
    }
    verbs=$(help_commands <<<"$help")
    # The program's own words on options it does not know; a program that leaves them to
    # another parser (Qt's, for the window) cannot be asked which options it takes.
    local probeable=1
    if run_probe "$exe" --version "$probe" >/dev/null; then
        probeable=0
    fi

    local documented tags
    tags=$(man_option_tags "$page")
    if [ -z "$verbs" ]; then
        documented=$(help_options <<<"$help")
        compare "$name" "--help" "$documented" "the man page's OPTIONS" "$tags"
        compare "$name" "the man page's OPTIONS" "$tags" "its SYNOPSIS" \
            "$( (man_section "$page" SYNOPSIS | troff_options; echo "$tags") | sort -u)"
        if [ $probeable = 1 ]; then
            for o in $(printf '%s\n' "$documented" "$tags" | sort -u); do
                local value=() said
                takes_value "$help" "$o" && value=(1)
                said=$(cd "$scratch" && run_probe "$exe" "$o" "${value[@]}" "$probe")
                if refused "$o" "$said"; then
                    fail "$name: refuses $o, which its --help lists"
                fi
            done
        fi
        return
    fi

    compare "$name" "--help's commands" "$verbs" "the man page's COMMANDS" "$(man_commands "$page")"
    # --help and --version belong to the program, whatever the command.
    local global
    global=$(printf '%s\n' --help --version)
    all_help=$global
    declare -A per_verb verb_helps
    for verb in $verbs; do
        verb_help=$("$exe" "$verb" --help 2>&1) || fail "$name $verb --help failed"
        verb_helps[$verb]=$verb_help
        per_verb[$verb]=$(help_options <<<"$verb_help")
        all_help=$(printf '%s\n' "$all_help" "${per_verb[$verb]}" | sed '/^$/d' | sort -u)
        compare "$name $verb" "--help" "${per_verb[$verb]}" "the man page's SYNOPSIS" \
            "$(man_synopsis_options "$page" "$name" "$verb" | grep -vxE -- '--(help|version)')"
        # Whether an option takes a value comes from the help of a command that lists it.
        help_of_all+=$verb_help$'\n'
    done
    compare "$name" "the commands' --help" "$all_help" "the man page's OPTIONS" "$tags"

    if [ $probeable = 1 ]; then
        known=$(printf '%s\n' "$all_help" "$tags" | grep -vxE -- '--(help|version)' | sort -u)
        for verb in $verbs; do
            # A command that talks to a gateway gets a port that cannot exist, so no probe that
            # its parser lets through reaches a device.
            local port=() operands=() n
            grep -qx -- --port <<<"${per_verb[$verb]}" && port=(--port "$scratch/no-such-port")
            # The command's operands, as many as its usage line names (FILE, A B), files that
            # do not exist: a command checks its options before its operands are missed.
            for n in $(usage_operands "$name" "$verb" <<<"${verb_helps[$verb]}"); do
                operands+=("$scratch/no-such-file-$n")
            done
            for o in $known; do
                local values=("") with=("${port[@]}") said listed=0 value
                takes_value "$help_of_all" "$o" && values=(50 1)
                [ "$o" = --port ] && with=() && values=("$scratch/no-such-port")
                grep -qx -- "$o" <<<"${per_verb[$verb]}" && listed=1
                # A value the option refuses stops the parser before it asks whether the
                # command takes the option: the next value is tried then.
                for value in "${values[@]}"; do
                    said=$(cd "$scratch" && run_probe "$exe" "$verb" "${operands[@]}" "$o" \
                        ${value:+"$value"} "${with[@]}")
                    refused "$o" "$said" || ! grep -qF -- "$o" <<<"$said" && break
                done
                if [ $listed = 1 ] && refused "$o" "$said"; then
                    fail "$name $verb: refuses $o, which its --help lists"
                elif [ $listed = 0 ] && ! refused "$o" "$said"; then
                    fail "$name $verb: takes $o, which its --help does not list" \
                        "(it said: $(head -n 1 <<<"$said"))"
                fi
            done
        done
    fi

    if [ -f "$completion" ]; then
        compare "$name" "--help's commands" "$(printf '%s\n' $verbs $global | sort -u)" \
            "the completion's first words" "$(completion_words "$completion" "$name" "")"
        for verb in $verbs; do
            compare "$name $verb" "--help" "$(printf '%s\n' "${per_verb[$verb]}" --help | sort -u)" \
                "the completion" "$(completion_words "$completion" "$name" "$verb" --)"
        done
    fi
}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tavrin-man-check.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
help_of_all=""
[ $# -gt 0 ] || {
    echo "usage: scripts/check-man-pages.sh PROGRAM..." >&2
    exit 2
}
# The refusal words themselves are checked first: a probe that no program refuses would make
# every option look taken.
for exe in "$@"; do
    said=$(run_probe "$exe" "$probe" --version) && continue
    refused "$probe" "$said" || fail "$(basename "$exe") refuses $probe in words this check does not know: $said"
done
for exe in "$@"; do
    check_program "$(realpath "$exe")"
done
if [ $failures -gt 0 ]; then
    echo "check-man-pages: $failures disagreements between the man pages, --help, the parsers and the completion" >&2
    exit 1
fi
echo "check-man-pages: $# programs agree with their man pages" >&2
