#!/usr/bin/env bash
# The manual page and the bash completion of sorvane-cli against the program:
# every command its --help lists has a section in the manual page and is
# offered by the completion; and the completion offers options, query types,
# category and engine names (with spaces quoted) and saved searches.
#   cli_docs_test.sh BIN_DIR SOURCE_DIR
set -euo pipefail
bin=$1 source=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

commands=$("$bin/sorvane-cli" --help | sed -n '/^Commands:/,/^$/p' | awk 'NF > 1 { print $1 }')
[[ -n $commands ]] || fail "no commands in sorvane-cli --help"
page=$source/dist/man/sorvane-cli.1.in
completion=$source/dist/bash-completion/sorvane-cli

# shellcheck source=/dev/null
source "$completion"
export PATH="$bin:$PATH"
complete_line() {  # words...: what the completion offers for the last word
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _sorvane_cli
  printf '%s\n' "${COMPREPLY[@]}"
}
expect() {  # description, wanted line, then the words
  local what=$1 wanted=$2
  shift 2
  # grep without -q reads to the end: with -q it may leave before the
  # completion has printed everything, whose write then fails under pipefail.
  complete_line "$@" | grep -xF -- "$wanted" >/dev/null || fail "$what: '$wanted' not offered for '$*' (got: $(complete_line "$@" | tr '\n' ' '))"
}

offered=$(complete_line sorvane-cli '')
for command in $commands; do
  grep -q "^\.SS $command\b" "$page" || fail "the manual page has no section for '$command'"
  grep -qxF "$command" <<<"$offered" || fail "the completion does not offer '$command'"
done

# Names come from the store the line's --home names.
mkdir -p "$work/home/SearchResults"
printf '2\nFirst Engine\ns\ne\nhttp://a.example\n3\n/?q=\n\n\nSecond\ns\ne\nhttp://b.example\n3\n/?q=\n\n\n' >"$work/home/engines.dat"
"$bin/sorvane-cli" --home "$work/home" scan --folder "$work/home" 'old maps' >/dev/null
home=(--home "$work/home")

expect "global option" --version sorvane-cli --ve
expect "category name with a space" 'Entire\ Web' sorvane-cli "${home[@]}" search ent
expect "category, any case" 'My\ PC' sorvane-cli "${home[@]}" doctor 'my'
expect "engine name" 'First\ Engine' sorvane-cli "${home[@]}" address --engine Fi
expect "query type" phrase sorvane-cli search --query-type ph
expect "format" csv sorvane-cli scan --format c
expect "scan option" --recurse sorvane-cli scan --re
expect "saved subcommand" show sorvane-cli saved sh
expect "saved search words" 'old\ maps' sorvane-cli "${home[@]}" saved show ''
expect "engines add" add sorvane-cli engines a
expect "folder" "$work/home" sorvane-cli scan --folder "$work/ho"
[[ -z $(complete_line sorvane-cli search Arts wooden) ]] || fail "words after the category are not completed"
echo "manual page and completion cover: $(echo $commands)"
