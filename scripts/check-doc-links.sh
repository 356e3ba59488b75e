#!/usr/bin/env bash
# Checks every link of the README and the documents under docs/ that points into the tree: the
# file (or folder) it names exists, and an anchor (#section) names a heading of that Markdown
# file, as GitHub makes anchors from headings. Links to the web are left alone. Exits 1 listing
# each broken link as FILE: TARGET.
set -uo pipefail
cd "$(dirname "$0")/.."
broken=0

# The anchors of a Markdown file's headings, outside code blocks: lower case, punctuation but
# hyphens and underscores dropped, blanks to hyphens; a repeated heading gets -1, -2, ...
anchors() {
    awk '/^```/ { code = !code; next } !code && /^#+ / { sub(/^#+ +/, ""); print }' "$1" |
        tr '[:upper:]' '[:lower:]' | sed -E 's/[^a-z0-9 _-]//g; s/ /-/g' |
        awk '{ n = seen[$0]++; print (n ? $0 "-" n : $0) }'
}

# The link targets of a Markdown file, outside code blocks and inline code.
targets() {
    awk '/^```/ { code = !code; next } !code' "$1" | sed -E 's/`[^`]*`//g' |
        grep -oE '\]\([^) ]+( "[^"]*")?\)' | sed -E 's/^\]\(//; s/( "[^"]*")?\)$//'
}

for doc in README.md docs/*.md; do
    dir=$(dirname "$doc")
    while IFS= read -r target; do
        case $target in
        http://* | https://* | mailto:*) continue ;;
        esac
        path=${target%%#*}
        anchor=
        [[ $target == *"#"* ]] && anchor=${target#*#}
        file=$doc
        if [ -n "$path" ]; then
            file=$dir/$path
            if [ ! -e "$file" ]; then
                echo "check-doc-links: $doc: $target: no such file" >&2
                broken=$((broken + 1))
                continue
            fi
        fi
        if [ -n "$anchor" ] && ! anchors "$file" | grep -qxF -- "$anchor"; then
            echo "check-doc-links: $doc: $target: no such heading" >&2
            broken=$((broken + 1))
        fi
    done < <(targets "$doc")
done
if [ $broken -gt 0 ]; then
    echo "check-doc-links: $broken broken links" >&2
    exit 1
fi
echo "check-doc-links: every link of the README and docs/ resolves" >&2
