{ The component entry tree with the published properties the framework streams it with, a
  control with a caption, a hint, a font, items and lines, and a component that keeps a tree in
  its form, for peer_tree. Kinds are TypInfo's; the tree names them only by the names both sides
  share (Free Pascal has no tkString: its short string kind is tkSString). }
unit PeerTree;
{$mode objfpc}{$H+}
interface
uses Classes, SysUtils, TypInfo, PeerForms;
type
  TMainEntrySubTypeFlag = (stPubPropObject, stCollectionObject, stTStringsObject, stNoValidate);
  TMainEntrySubType = set of TMainEntrySubTypeFlag;

  TBaseEntry = class(TCollectionItem)
  private
    FName: string;
  published
    property Name: string read FName write FName;
  end;

  TMainEntries = class(TCollection);
  TComponentEntries = class(TMainEntries);
  TPropertyEntries = class(TCollection);

  TMainEntry = class(TBaseEntry)
  private
    FItems: TMainEntries; FProps: TPropertyEntries; FSubType: TMainEntrySubType;
    procedure SetItems(V: TMainEntries); procedure SetProps(V: TPropertyEntries);
  public
    constructor Create(ACollection: TCollection); override;
    destructor Destroy; override;
  published
    property Items: TMainEntries read FItems write SetItems;
    property Props: TPropertyEntries read FProps write SetProps;
    property SubType: TMainEntrySubType read FSubType write FSubType;
  end;

  TComponentEntry = class(TMainEntry)
  private
    FRef: TComponent;
  published
    property Name stored False;
    property Ref: TComponent read FRef write FRef;
  end;

  TPropertyEntry = class(TBaseEntry)
  private
    FKind: TTypeKind; FIndex: Integer;
    function IndexStored: Boolean;
  public
    constructor Create(ACollection: TCollection); override;
  published
    property Kind: TTypeKind read FKind write FKind;
    property Index: Integer read FIndex write FIndex stored IndexStored;
  end;

  { Shortcut is a property the framework's mirror of this class does not have; at its default
    it is not stored, so the form still reads there. }
  TPeerButton = class(TComponent)
  private
    FCaption, FHint: string; FShortcut: Integer; FFont: TPeerFont; FItems: TCollection;
    FLines: TStrings;
    procedure SetFont(V: TPeerFont); procedure SetItems(V: TCollection); procedure SetLines(V: TStrings);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property Caption: string read FCaption write FCaption;
    property Hint: string read FHint write FHint;
    property Shortcut: Integer read FShortcut write FShortcut default 0;
    property Font: TPeerFont read FFont write SetFont;
    property Items: TCollection read FItems write SetItems;
    property Lines: TStrings read FLines write SetLines;
  end;

  TEntryHolder = class(TComponent)
  private
    FEntries: TComponentEntries;
    procedure SetEntries(V: TComponentEntries);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property Entries: TComponentEntries read FEntries write SetEntries;
  end;

var
  { The class of the property entries the tree creates; a program storing language data sets its
    own before creating a tree. }
  PropertyEntryClass: TCollectionItemClass;

function AddComponentEntry(Entries: TComponentEntries; Ref: TComponent): TComponentEntry;
function AddEntry(Parent: TMainEntry; const Name: string; SubType: TMainEntrySubType): TMainEntry;
function AddProp(Entry: TMainEntry; const Name: string; Kind: TTypeKind): TPropertyEntry;

implementation

constructor TMainEntry.Create(ACollection: TCollection);
begin
  inherited Create(ACollection);
  FItems := TMainEntries.Create(TMainEntry); FProps := TPropertyEntries.Create(PropertyEntryClass);
end;
destructor TMainEntry.Destroy; begin FItems.Free; FProps.Free; inherited; end;
procedure TMainEntry.SetItems(V: TMainEntries); begin FItems.Assign(V); end;
procedure TMainEntry.SetProps(V: TPropertyEntries); begin FProps.Assign(V); end;

constructor TPropertyEntry.Create(ACollection: TCollection);
begin inherited Create(ACollection); FIndex := -1; end;
function TPropertyEntry.IndexStored: Boolean; begin Result := FIndex >= 0; end;

constructor TPeerButton.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FFont := TPeerFont.Create; FItems := TCollection.Create(TPeerItem); FLines := TStringList.Create;
end;
destructor TPeerButton.Destroy; begin FFont.Free; FItems.Free; FLines.Free; inherited; end;
procedure TPeerButton.SetFont(V: TPeerFont); begin FFont.Assign(V); end;
procedure TPeerButton.SetItems(V: TCollection); begin FItems.Assign(V); end;
procedure TPeerButton.SetLines(V: TStrings); begin FLines.Assign(V); end;

constructor TEntryHolder.Create(AOwner: TComponent);
begin inherited Create(AOwner); FEntries := TComponentEntries.Create(TComponentEntry); end;
destructor TEntryHolder.Destroy; begin FEntries.Free; inherited; end;
procedure TEntryHolder.SetEntries(V: TComponentEntries); begin FEntries.Assign(V); end;

function AddComponentEntry(Entries: TComponentEntries; Ref: TComponent): TComponentEntry;
begin
  Result := TComponentEntry(Entries.Add);
  Result.Name := Ref.Name; Result.Ref := Ref; Result.SubType := [stPubPropObject];
end;

function AddEntry(Parent: TMainEntry; const Name: string; SubType: TMainEntrySubType): TMainEntry;
begin
  Result := TMainEntry(Parent.Items.Add);
  Result.Name := Name; Result.SubType := SubType;
end;

function AddProp(Entry: TMainEntry; const Name: string; Kind: TTypeKind): TPropertyEntry;
begin
  Result := TPropertyEntry(Entry.Props.Add);
  Result.Name := Name; Result.Kind := Kind;
end;

initialization
  PropertyEntryClass := TPropertyEntry;
  RegisterClasses([TPeerButton, TEntryHolder]);
end.
