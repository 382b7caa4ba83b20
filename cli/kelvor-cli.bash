# bash completion for kelvor-cli: its commands, the options of each command, the formats of
# --to and the values of the options that take one; paths elsewhere.
_kelvor_cli() {
    local cur prev command word i
    COMPREPLY=()
    cur="${COMP_WORDS[COMP_CWORD]}"
    prev="${COMP_WORDS[COMP_CWORD - 1]}"

    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W 'check dump convert --help --version' -- "$cur")
        return 0
    fi
    command="${COMP_WORDS[1]}"

    # Everything after "--" is a path.
    for ((i = 2; i < COMP_CWORD; i++)); do
        if [[ "${COMP_WORDS[i]}" == "--" ]]; then
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return 0
        fi
    done

    case "$prev" in
        --to)
            mapfile -t COMPREPLY < <(compgen -W 'raf rsd mrs raf4 asd mas adf' -- "$cur")
            return 0
            ;;
        --out)
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return 0
            ;;
        --technology)
            mapfile -t COMPREPLY < <(compgen -W 'dipole aperture' -- "$cur")
            return 0
            ;;
        --reverse-backwards)
            mapfile -t COMPREPLY < <(compgen -W 'yes no' -- "$cur")
            return 0
            ;;
        --jobs)
            return 0
            ;;
    esac

    if [[ "$cur" == -* ]]; then
        case "$command" in
            check) word='--json --lint --lint=error --reverse-backwards --' ;;
            dump) word='--reverse-backwards --' ;;
            convert) word='--to --out --continue --jobs --lock --v4-only --technology
                           --reverse-backwards --json --quiet --' ;;
            *) word='' ;;
        esac
        mapfile -t COMPREPLY < <(compgen -W "$word" -- "$cur")
        return 0
    fi
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    return 0
}
complete -o filenames -F _kelvor_cli kelvor-cli
